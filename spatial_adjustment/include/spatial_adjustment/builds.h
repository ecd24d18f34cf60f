// The builds of the spatial adjustment program: one source, a table of constants per build.
#pragma once
#include "adjustment/profile.h"

namespace spatial_adjustment {

enum class Build {
    main,            // Ostrel
    vintra,          // Vintra: report on F:, the coordinate standard deviation table
    f_drive,         // report names of 20 characters on F:, the read-error echo
    data_directory,  // the control file in the data directory
    c_drive,         // everything in C:\TEST\IG\, the read-error echo
};

adjustment::Profile profile(Build build);

}  // namespace spatial_adjustment

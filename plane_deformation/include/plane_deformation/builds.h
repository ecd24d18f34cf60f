// The builds of the plane deformation program: one source, a table of constants per build.
#pragma once
#include "adjustment/profile.h"

namespace plane_deformation {

enum class Build {
    main,    // rudvik: every folder "C:\TEST\IG\"
    h_drive, // rudvik-h: every folder "H:\TEST\IG\"; a read error writes nothing to the control file
};

adjustment::Profile profile(Build build);

}  // namespace plane_deformation

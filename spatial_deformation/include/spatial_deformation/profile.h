// The spatial deformation program: its capacities, fixed paths, texts and switches.
#pragma once
#include "adjustment/profile.h"

namespace spatial_deformation {

adjustment::Profile profile();

}  // namespace spatial_deformation

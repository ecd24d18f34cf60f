// The plane adjustment program's constants, texts and switches for the shared run.
#pragma once
#include "adjustment/profile.h"

namespace plane_adjustment {

adjustment::Profile profile();

}  // namespace plane_adjustment

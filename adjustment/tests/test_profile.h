// A profile with the spatial program's capacities and texts, for tests of the shared code.
#pragma once
#include "adjustment/profile.h"

inline adjustment::Profile test_profile() {
    adjustment::Profile p;
    p.cap = {44, 180, 50, 172, 60, 60, 66};
    p.report_header = " TERVAL 3.07 Prostorová síť   Ostrel   Datum: ";
    return p;
}

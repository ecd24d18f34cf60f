// The whole library: matrices, inversion and columns, point lookup, point database, and the
// routines that no program calls.
#pragma once
#include "library/cbodu.h"
#include "library/madarith.h"
#include "library/madinv.h"
#include "library/matrix.h"
#include "library/pointdb.h"
#include "library/uncalled.h"

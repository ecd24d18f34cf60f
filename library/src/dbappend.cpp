// Appending a point to the point database.
#include <limits>

#include "library/pointdb.h"

namespace library {

Status BULOZ(PointDatabase& db, Index& PB, std::int16_t CB, double X, double Y, double Z)
{
    if (PB == std::numeric_limits<Index>::max()) return FAILED;
    if (!db.write(static_cast<long>(PB) + 1, DbRecord{CB, X, Y, Z})) return FAILED;
    PB = static_cast<Index>(PB + 1);
    return DONE;
}

}  // namespace library

// Arrays of the points and measured quantities, sized to the program's capacities.
#include "adjustment/network.h"

#include <algorithm>

namespace adjustment {

namespace {

std::size_t point_slots(const Capacities& cap, int dimension) {
    return static_cast<std::size_t>(std::max<int>(cap.points, cap.cov_order / dimension)) + 1;
}

}  // namespace

Network::Network(const Capacities& cap, int dim)
    : dimension(dim), ZAH(80, ' '),
      IN(point_slots(cap, dim)), KOD1(point_slots(cap, dim)),
      XO(point_slots(cap, dim)), YO(point_slots(cap, dim)), ZO(point_slots(cap, dim)),
      INS(cap.quantities + 1), INC(cap.quantities + 1),
      SMO(cap.quantities + 1), ZMO(cap.quantities + 1), DO(cap.quantities + 1),
      PPP(cap.quantities + 1), CS(cap.quantities + 1), CC(cap.quantities + 1),
      SO(cap.quantities + 1), ZZ(cap.quantities + 1),
      SMI(cap.quantities + 1), ZMI(cap.quantities + 1), DI(cap.quantities + 1), SI(cap.quantities + 1) {}

}  // namespace adjustment

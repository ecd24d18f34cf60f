// Arrays of the points and measured quantities, sized to the program's capacities.
#include "adjustment/network.h"

namespace adjustment {

Network::Network(const Capacities& cap)
    : ZAH(80, ' '),
      IN(cap.points + 1), KOD1(cap.points + 1),
      XO(cap.points + 1), YO(cap.points + 1), ZO(cap.points + 1),
      INS(cap.quantities + 1), INC(cap.quantities + 1),
      SMO(cap.quantities + 1), ZMO(cap.quantities + 1), DO(cap.quantities + 1),
      PPP(cap.quantities + 1), CS(cap.quantities + 1), CC(cap.quantities + 1),
      SO(cap.quantities + 1), ZZ(cap.quantities + 1),
      SMI(cap.quantities + 1), ZMI(cap.quantities + 1), DI(cap.quantities + 1), SI(cap.quantities + 1) {}

}  // namespace adjustment

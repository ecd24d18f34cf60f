// A press of "Výpočet": one linearisation of the network from the current coordinates, the
// points moved by its increments, the unit standard deviation and its test.
#include "forms/numbers.h"
#include "forms/runtime.h"
#include "kavon/equations.h"
#include "kavon/form1.h"
#include "kavon/solve.h"
#include "kavon/texts.h"

#include <cmath>
#include <new>
#include <unistd.h>

namespace kavon {

namespace {

// Whether the matrices of a press fit the machine's memory (they are dense, and PP alone grows
// with the square of the measured quantities).
bool fitsMemory(const ModuleData& data)
{
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return true;
    return pressBytes(data) < static_cast<double>(pages) * static_cast<double>(pageSize);
}

}  // namespace

Form1::PressEnd Form1::press()
{
    const std::optional<PointValues> points = convertPoints(data);
    if (!points) return PressEnd::stopped;
    std::optional<Results> results;
    Count NM = 0, IR = 0;
    try {
        if (!fitsMemory(data)) throw std::bad_alloc();
        std::optional<Equations> equations = formEquations(data, *points);
        if (!equations) return PressEnd::stopped;
        NM = equations->NM;
        IR = equations->IR;
        results = solveOnce(*equations, *points, data.nPoints);
    } catch (const std::bad_alloc&) {
        forms::msgBox(texts::networkTooLarge);
        return PressEnd::stopped;
    }
    if (!results) return PressEnd::stopped;

    // Every point moves, whatever its code: the fixed components receive 0.
    for (int i = 1; i <= data.nPoints; ++i) {
        const auto at = static_cast<std::size_t>(i);
        data.pointX[at] = points->x[at] + results->H(3 * i - 2, 1);
        data.pointY[at] = points->y[at] + results->H(3 * i - 1, 1);
        data.pointZ[at] = points->z[at] + results->H(3 * i, 1);
    }
    const double VVT = results->VVT;
    const int f = NM - results->NN + IR;
    data.results = std::move(results);
    if (f <= 0) {
        forms::msgBox(texts::noRedundancy);
        return PressEnd::noRedundancy;
    }

    const UnitVarianceTest test = unitVarianceTest(VVT, f, data.sigma0);
    Text5->setText(forms::formatNumber(test.m0, "###0.0"));
    Label16->show();
    Text5->show();
    data.sigma0Used = test.sigma0Used;
    if (test.rejected) {
        Label17->setCaption(texts::testFailed);
        Label17->show();
    }
    return PressEnd::completed;
}

void Form1::Command8_Click()
{
    if (press() != PressEnd::noRedundancy) Command7->setEnabled(true);
}

}  // namespace kavon

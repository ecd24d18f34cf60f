// Twips and pixels.
#include "forms/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <optional>

namespace forms {

namespace {
std::optional<double>& dpiSetting()
{
    static std::optional<double> dpi;
    return dpi;
}
}  // namespace

int twipsToPixels(int twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / twipsPerInch));
}

int pixelsToTwips(int pixels, double dpi)
{
    return static_cast<int>(std::lround(pixels * twipsPerInch / dpi));
}

double logicalDpi()
{
    auto& dpi = dpiSetting();
    if (!dpi) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    }
    return *dpi;
}

void setLogicalDpi(double dpi) { dpiSetting() = dpi; }

int px(int twips) { return twipsToPixels(twips, logicalDpi()); }
int tw(int pixels) { return pixelsToTwips(pixels, logicalDpi()); }

}  // namespace forms

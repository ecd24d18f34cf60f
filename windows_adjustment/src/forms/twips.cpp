// Twips and pixels.
#include "forms/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace forms {

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
    static const double dpi = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->logicalDotsPerInch() : 96.0;
    }();
    return dpi;
}

int px(int twips) { return twipsToPixels(twips, logicalDpi()); }
int tw(int pixels) { return pixelsToTwips(pixels, logicalDpi()); }

}  // namespace forms

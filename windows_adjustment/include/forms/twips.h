// Positions and sizes of the forms run-time: twips (1/1440 inch) turned into pixels of the
// screen's logical resolution, so the windows keep their proportions at any DPI.
#pragma once

namespace forms {

inline constexpr int twipsPerInch = 1440;

// pixels = twips × dpi / 1440, rounded to the nearest pixel (15 twips per pixel at 96 DPI).
int twipsToPixels(int twips, double dpi);
// The inverse: twips = pixels × 1440 / dpi, rounded to the nearest twip.
int pixelsToTwips(int pixels, double dpi);

// The logical DPI of the primary screen, taken once when first asked (96 without a screen).
double logicalDpi();

// The same conversions at logicalDpi().
int px(int twips);
int tw(int pixels);

// A rectangle in twips, as the forms give Left, Top, Width, Height.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

}  // namespace forms

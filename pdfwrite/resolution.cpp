#include "pdfwrite/resolution.h"

namespace {
constexpr double kMinDpi = 10.0;
constexpr double kMaxDpi = 10000.0;

// 0 when the tag is missing or its value is not a resolution any page has.
double Dpi(TIFF* tif, ttag_t tag, double perInch) {
    float value = 0;
    if (!TIFFGetField(tif, tag, &value))
        return 0;
    const double dpi = value * perInch;
    // Also false for a NaN.
    return dpi >= kMinDpi && dpi <= kMaxDpi ? dpi : 0;
}
} // namespace

Resolution PageResolution(TIFF* tif) {
    uint16_t unit = RESUNIT_INCH;
    TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
    const double perInch = unit == RESUNIT_CENTIMETER ? 2.54 : 1.0;
    Resolution r{Dpi(tif, TIFFTAG_XRESOLUTION, perInch), Dpi(tif, TIFFTAG_YRESOLUTION, perInch)};
    if (r.x == 0 && r.y == 0)
        return Resolution{kDefaultDpi, kDefaultDpi};
    if (r.x == 0)
        r.x = r.y;
    if (r.y == 0)
        r.y = r.x;
    return r;
}

// The size a page's pixels stand for on paper, from the TIFF's resolution tags.
#pragma once

#include <tiffio.h>

// Dots per inch across and down.
struct Resolution {
    double x;
    double y;
};

// Used where a page states no usable resolution: a common fax and scanner resolution, which
// gives the 1728 pixels of a fax line about the width of A4 and Letter paper.
constexpr double kDefaultDpi = 200.0;

// The resolution of the directory the handle sits on. Centimetres are converted; values with no
// unit are taken as per inch, as fax software writes them. A value that is missing, or outside
// 10 to 10,000 dpi, takes the other direction's value (square pixels), or kDefaultDpi when
// neither is usable.
Resolution PageResolution(TIFF* tif);

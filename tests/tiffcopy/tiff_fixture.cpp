#include "tiffcopy/tiff_fixture.h"

CopyOptions ProgramOptions() {
    return CopyOptions{6, 75, 0, -1, 0};
}

int CopyInToOut(const TempDir& dir, const CopyOptions& options) {
    return CopyTiff(dir.Path("in.tif").c_str(), dir.Path("out.tif").c_str(), &options);
}

PageSpec FaxPage(uint16_t compression, uint32_t length, uint32_t seed) {
    PageSpec page;
    page.width = 1728;
    page.length = length;
    page.compression = compression;
    page.seed = seed;
    page.extraTags = [](TIFF* tif) {
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, 204.0);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, 196.0);
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    };
    return page;
}

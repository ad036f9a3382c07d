#include "pdfwrite/fax_image.h"

namespace {
bool IsOneStripOfGroup4(TIFF* tif) {
    uint16_t compression = 0;
    uint16_t bitsPerSample = 0;
    uint16_t samplesPerPixel = 0;
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bitsPerSample);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samplesPerPixel);
    return compression == COMPRESSION_CCITTFAX4 && bitsPerSample == 1 && samplesPerPixel == 1 &&
           !TIFFIsTiled(tif) && TIFFNumberOfStrips(tif) == 1;
}

// The TIFF's whole size: no strip of it can be larger. A damaged count must not make us ask for
// gigabytes.
uint64_t FileSize(TIFF* tif) {
    return static_cast<uint64_t>(TIFFGetSizeProc(tif)(TIFFClientdata(tif)));
}
} // namespace

bool ReadFaxImage(TIFF* tif, FaxImage& image) {
    if (!IsOneStripOfGroup4(tif) || !TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &image.width) ||
        !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &image.length) || image.width == 0 || image.length == 0)
        return false;
    // Fax software writes no Photometric at times; a fax is white on paper.
    uint16_t photometric = PHOTOMETRIC_MINISWHITE;
    TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric);
    if (photometric != PHOTOMETRIC_MINISWHITE && photometric != PHOTOMETRIC_MINISBLACK)
        return false;
    image.blackIs1 = photometric == PHOTOMETRIC_MINISBLACK;
    image.resolution = PageResolution(tif);

    const uint64_t size = TIFFGetStrileByteCount(tif, 0);
    if (size == 0 || size > FileSize(tif))
        return false;
    image.data.resize(static_cast<size_t>(size));
    if (TIFFReadRawStrip(tif, 0, image.data.data(), static_cast<tmsize_t>(size)) !=
        static_cast<tmsize_t>(size))
        return false;
    // The raw strip comes as stored; a PDF reader takes the first pixel from the high bit.
    uint16_t fillOrder = FILLORDER_MSB2LSB;
    TIFFGetFieldDefaulted(tif, TIFFTAG_FILLORDER, &fillOrder);
    if (fillOrder == FILLORDER_LSB2MSB)
        TIFFReverseBits(image.data.data(), static_cast<tmsize_t>(size));
    return true;
}

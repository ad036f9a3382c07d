#include "tiffcopy/copy_limits.h"

#include "tiffcopy/transfer_buffers.h"

namespace {
// No real image has samples wider than a double.
constexpr uint16_t kMaxBitsPerSample = 64;
// 2^28 samples: a 16384 x 16384 page, 70 fine-resolution fax pages at once. Separate planes of
// small samples are regrouped one sample at a time, so the count bounds the copy's work.
constexpr uint64_t kMaxImageSamples = uint64_t{1} << 28;

// The bytes of the whole decoded image, all planes; 0 when above kMaxBufferSize.
uint64_t DecodedImageSize(TIFF* in, uint16_t samplesPerPixel, uint32_t length) {
    uint16_t planar = PLANARCONFIG_CONTIG;
    TIFFGetFieldDefaulted(in, TIFFTAG_PLANARCONFIG, &planar);
    uint64_t rowBytes = static_cast<uint64_t>(TIFFScanlineSize64(in));
    if (planar == PLANARCONFIG_SEPARATE)
        rowBytes = CheckedProduct(rowBytes, samplesPerPixel);
    return CheckedProduct(rowBytes, length);
}

} // namespace

bool WithinCopyLimits(TIFF* in, TIFF* out, uint32_t width, uint32_t length, uint16_t bitsPerSample,
                      uint16_t samplesPerPixel) {
    if (bitsPerSample > kMaxBitsPerSample)
        return false;
    if (length != 0 && DecodedImageSize(in, samplesPerPixel, length) == 0)
        return false;
    if (uint64_t{width} * length * samplesPerPixel > kMaxImageSamples)
        return false;
    // libtiff sizes its encoding buffer by the output's strip or tile.
    const uint64_t outputBlock =
        static_cast<uint64_t>(TIFFIsTiled(out) ? TIFFTileSize64(out) : TIFFStripSize64(out));
    return outputBlock <= kMaxBufferSize;
}

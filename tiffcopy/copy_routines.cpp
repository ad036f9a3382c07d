#include "tiffcopy/copy_routines.h"

#include "tiffcopy/copier_state.h"
#include "tiffcopy/transfer_buffers.h"

#include <algorithm>
#include <cstdio>

void NoteReadFailure() {
    ++Copier().report.readFailures;
}

int CopyStripsDecoded(TIFF* in, TIFF* out, uint32_t length, uint32_t, uint16_t) {
    const uint32_t strips = TIFFNumberOfStrips(in);
    if (strips == 0)
        return 1;
    const uint64_t stripSize = static_cast<uint64_t>(TIFFStripSize64(in));
    uint8_t* buffer = ObtainBuffer(stripSize);
    if (buffer == nullptr)
        return 0;
    const uint64_t rowsPerStrip = Copier().rowsPerStrip;
    uint64_t firstRow = 0;
    for (uint32_t s = 0; s < strips && firstRow < length; ++s) {
        uint64_t byteCount = stripSize;
        if (firstRow + rowsPerStrip > length)
            byteCount =
                std::min<uint64_t>(stripSize, TIFFVStripSize64(in, static_cast<uint32_t>(length - firstRow)));
        if (TIFFReadEncodedStrip(in, s, buffer, static_cast<tmsize_t>(byteCount)) < 0)
            NoteReadFailure();
        if (TIFFWriteEncodedStrip(out, s, buffer, static_cast<tmsize_t>(byteCount)) < 0) {
            ReleaseBuffer(buffer);
            return 0;
        }
        firstRow += rowsPerStrip;
    }
    ReleaseBuffer(buffer);
    return 1;
}

int CopyRowsContig(TIFF* in, TIFF* out, uint32_t length, uint32_t, uint16_t) {
    uint8_t* row = ObtainBuffer(static_cast<uint64_t>(TIFFScanlineSize64(in)));
    if (row == nullptr)
        return 0;
    for (uint32_t r = 0; r < length; ++r) {
        if (TIFFReadScanline(in, row, r, 0) < 0)
            NoteReadFailure();
        if (TIFFWriteScanline(out, row, r, 0) < 0) {
            ReleaseBuffer(row);
            return 0;
        }
    }
    ReleaseBuffer(row);
    return 1;
}

int CopyRowsSeparate(TIFF* in, TIFF* out, uint32_t length, uint32_t, uint16_t samplesPerPixel) {
    uint8_t* row = ObtainBuffer(static_cast<uint64_t>(TIFFScanlineSize64(in)));
    if (row == nullptr)
        return 0;
    for (uint16_t plane = 0; plane < samplesPerPixel; ++plane) {
        for (uint32_t r = 0; r < length; ++r) {
            if (TIFFReadScanline(in, row, r, plane) < 0)
                NoteReadFailure();
            if (TIFFWriteScanline(out, row, r, plane) < 0) {
                ReleaseBuffer(row);
                return 0;
            }
        }
    }
    ReleaseBuffer(row);
    return 1;
}

int CopyViaImageBuffer(TIFF* in, TIFF* out, uint32_t length, uint32_t width, uint16_t samplesPerPixel,
                       ImageReader reader, ImageWriter writer) {
    uint16_t planar = PLANARCONFIG_CONTIG;
    uint16_t bitsPerSample = 1;
    TIFFGetFieldDefaulted(in, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(in, TIFFTAG_BITSPERSAMPLE, &bitsPerSample);

    if (length == 0)
        return 1;
    ImageBuffer image;
    image.length = length;
    image.width = width;
    image.samplesPerPixel = samplesPerPixel;
    image.bitsPerSample = bitsPerSample;
    image.rowBytes = static_cast<uint64_t>(TIFFScanlineSize64(in));
    if (planar == PLANARCONFIG_SEPARATE)
        image.rowBytes = CheckedProduct(image.rowBytes, samplesPerPixel);
    // Every row must hold all of its samples, whatever the library reports.
    const uint64_t samplesPerRow = uint64_t{width} * samplesPerPixel;
    if (image.rowBytes == 0 || image.rowBytes < (samplesPerRow * bitsPerSample + 7) / 8)
        return 0;
    image.size = CheckedProduct(image.rowBytes, length);
    image.data = ObtainBuffer(image.size);
    if (image.data == nullptr)
        return 0;
    reader(in, image);
    const int written = writer(out, image);
    ReleaseBuffer(image.data);
    return written;
}

CopyRoutine SelectCopyRoutine(TIFF* in, TIFF* out) {
    uint16_t planar = PLANARCONFIG_CONTIG;
    TIFFGetFieldDefaulted(in, TIFFTAG_PLANARCONFIG, &planar);
    const bool tiledIn = TIFFIsTiled(in) != 0;
    const bool tiledOut = TIFFIsTiled(out) != 0;

    if (planar == PLANARCONFIG_CONTIG) {
        if (!tiledIn && !tiledOut) {
            uint32_t inputRowsPerStrip = 0xFFFFFFFF;
            if (!TIFFGetField(in, TIFFTAG_ROWSPERSTRIP, &inputRowsPerStrip))
                inputRowsPerStrip = 0xFFFFFFFF;
            return Copier().rowsPerStrip == inputRowsPerStrip ? CopyStripsDecoded : CopyRowsContig;
        }
        if (!tiledIn)
            return CopyVia<ReadContigStrips, WriteContigTiles>;
        if (!tiledOut)
            return CopyVia<ReadContigTiles, WriteContigStrips>;
        return CopyVia<ReadContigTiles, WriteContigTiles>;
    }
    if (planar == PLANARCONFIG_SEPARATE) {
        if (!tiledIn && !tiledOut)
            return CopyRowsSeparate;
        if (!tiledIn)
            return CopyVia<ReadSeparateStrips, WriteSeparateTiles>;
        if (!tiledOut)
            return CopyVia<ReadSeparateTiles, WriteSeparateStrips>;
        return CopyVia<ReadSeparateTiles, WriteSeparateTiles>;
    }
    std::fprintf(stderr, "tiffcopy: %s: Don't know how to copy/convert image.\n", TIFFFileName(in));
    return nullptr;
}

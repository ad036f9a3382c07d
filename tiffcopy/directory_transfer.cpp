#include "tiffcopy/directory_transfer.h"

#include "tiffcopy/copier_state.h"
#include "tiffcopy/copy_limits.h"
#include "tiffcopy/copy_routines.h"
#include "tiffcopy/tag_copy.h"

#include <cstring>

namespace {
void CopyPhotometric(TIFF* in, TIFF* out, const CopierState& s, uint16_t samplesPerPixel) {
    if (s.compression == COMPRESSION_JPEG) {
        uint16_t inputCompression = COMPRESSION_NONE;
        if (TIFFGetField(in, TIFFTAG_COMPRESSION, &inputCompression) && inputCompression == COMPRESSION_JPEG)
            TIFFSetField(in, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        uint16_t photometric = 0;
        if (TIFFGetField(in, TIFFTAG_PHOTOMETRIC, &photometric)) {
            if (photometric == PHOTOMETRIC_RGB && s.jpegColorMode == JPEGCOLORMODE_RGB)
                photometric = PHOTOMETRIC_YCBCR;
            TIFFSetField(out, TIFFTAG_PHOTOMETRIC, photometric);
        }
        return;
    }
    if (s.compression == COMPRESSION_SGILOG || s.compression == COMPRESSION_SGILOG24) {
        TIFFSetField(out, TIFFTAG_PHOTOMETRIC, samplesPerPixel == 1 ? PHOTOMETRIC_LOGL : PHOTOMETRIC_LOGLUV);
        return;
    }
    CopyTagValue(in, out, TIFFTAG_PHOTOMETRIC, 1, TIFF_SHORT);
}

void SetOrientation(TIFF* in, TIFF* out, CopierState& s) {
    s.orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(in, TIFFTAG_ORIENTATION, &s.orientation);
    const uint16_t written = NormalisedOrientation(s.orientation);
    if (written != s.orientation) {
        TIFFWarning(TIFFFileName(in), written == ORIENTATION_BOTLEFT ? "using bottom-left orientation"
                                                                     : "using top-left orientation");
    }
    s.orientation = written;
    TIFFSetField(out, TIFFTAG_ORIENTATION, s.orientation);
}

void SetGeometry(TIFF* in, TIFF* out, CopierState& s) {
    if (s.tileOutput == -1)
        s.tileOutput = TIFFIsTiled(in) ? 1 : 0;
    if (s.tileOutput != 0) {
        TIFFGetField(in, TIFFTAG_TILEWIDTH, &s.tileWidth);
        TIFFGetField(in, TIFFTAG_TILELENGTH, &s.tileLength);
        TIFFDefaultTileSize(out, &s.tileWidth, &s.tileLength);
        TIFFSetField(out, TIFFTAG_TILEWIDTH, s.tileWidth);
        TIFFSetField(out, TIFFTAG_TILELENGTH, s.tileLength);
    } else {
        if (!TIFFGetField(in, TIFFTAG_ROWSPERSTRIP, &s.rowsPerStrip))
            s.rowsPerStrip = TIFFDefaultStripSize(out, 0);
        uint32_t length = 0;
        if (s.oneStripPerPage && TIFFGetField(out, TIFFTAG_IMAGELENGTH, &length) && s.rowsPerStrip < length)
            s.rowsPerStrip = length;
        TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, s.rowsPerStrip);
    }
}

void CopyCompressionTags(TIFF* in, TIFF* out, const CopierState& s) {
    switch (s.compression) {
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4:
        if (s.compression == COMPRESSION_CCITTFAX3)
            TIFFSetField(out, TIFFTAG_GROUP3OPTIONS, s.group3Options);
        else
            CopyTagValue(in, out, TIFFTAG_GROUP4OPTIONS, 1, TIFF_LONG);
        for (const TagEntry& entry : kFaxTags)
            CopyTagValue(in, out, entry.tag, entry.count, entry.type);
        break;
    case COMPRESSION_LZW:
    case COMPRESSION_DEFLATE:
        CopyTagValue(in, out, TIFFTAG_PREDICTOR, 1, TIFF_SHORT);
        break;
    case COMPRESSION_JPEG:
        TIFFSetField(out, TIFFTAG_JPEGQUALITY, s.jpegQuality);
        TIFFSetField(out, TIFFTAG_JPEGCOLORMODE, s.jpegColorMode);
        break;
    default:
        break;
    }
}

void CopyInks(TIFF* in, TIFF* out) {
    uint16_t inks = 0;
    if (!TIFFGetField(in, TIFFTAG_NUMBEROFINKS, &inks))
        return;
    TIFFSetField(out, TIFFTAG_NUMBEROFINKS, inks);
    char* names = nullptr;
    if (inks == 0 || !TIFFGetField(in, TIFFTAG_INKNAMES, &names) || names == nullptr)
        return;
    // The byte count covers NumberOfInks names with their terminating zeros; the library keeps
    // NumberOfInks equal to the number of names it holds.
    const char* name = names;
    size_t bytes = std::strlen(name) + 1;
    for (uint16_t i = 1; i < inks; ++i) {
        name += std::strlen(name) + 1;
        bytes += std::strlen(name) + 1;
    }
    TIFFSetField(out, TIFFTAG_INKNAMES, static_cast<uint16_t>(bytes), names);
}
} // namespace

uint16_t NormalisedOrientation(uint16_t orientation) {
    switch (orientation) {
    case ORIENTATION_TOPLEFT:
    case ORIENTATION_BOTLEFT:
    case ORIENTATION_LEFTTOP:
    case ORIENTATION_LEFTBOT:
        return orientation;
    case ORIENTATION_BOTRIGHT:
    case ORIENTATION_RIGHTBOT:
        return ORIENTATION_BOTLEFT;
    default:
        return ORIENTATION_TOPLEFT;
    }
}

int TransferDirectory(TIFF* in, TIFF* out) {
    CopierState& s = Copier();
    uint32_t width = 0;
    uint32_t length = 0;
    uint16_t bitsPerSample = 1;
    uint16_t samplesPerPixel = 1;

    if (TIFFGetField(in, TIFFTAG_IMAGEWIDTH, &width))
        TIFFSetField(out, TIFFTAG_IMAGEWIDTH, width);
    if (TIFFGetField(in, TIFFTAG_IMAGELENGTH, &length))
        TIFFSetField(out, TIFFTAG_IMAGELENGTH, length);
    if (TIFFGetField(in, TIFFTAG_BITSPERSAMPLE, &bitsPerSample))
        TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, bitsPerSample);
    else
        bitsPerSample = 1;
    if (TIFFGetField(in, TIFFTAG_SAMPLESPERPIXEL, &samplesPerPixel))
        TIFFSetField(out, TIFFTAG_SAMPLESPERPIXEL, samplesPerPixel);
    else
        samplesPerPixel = 1;

    if (s.compression != 0xFFFF)
        TIFFSetField(out, TIFFTAG_COMPRESSION, s.compression);
    else if (TIFFGetField(in, TIFFTAG_COMPRESSION, &s.compression))
        TIFFSetField(out, TIFFTAG_COMPRESSION, s.compression);

    CopyPhotometric(in, out, s, samplesPerPixel);
    if (s.fillOrder != 0)
        TIFFSetField(out, TIFFTAG_FILLORDER, s.fillOrder);
    else
        CopyTagValue(in, out, TIFFTAG_FILLORDER, 1, TIFF_SHORT);
    SetOrientation(in, out, s);
    SetGeometry(in, out, s);
    if (TIFFGetField(in, TIFFTAG_PLANARCONFIG, &s.planarConfig))
        TIFFSetField(out, TIFFTAG_PLANARCONFIG, s.planarConfig);
    if (samplesPerPixel <= 4)
        CopyTagValue(in, out, TIFFTAG_TRANSFERFUNCTION, 4, TIFF_SHORT);
    CopyTagValue(in, out, TIFFTAG_COLORMAP, 4, TIFF_SHORT);
    CopyCompressionTags(in, out, s);

    uint32_t profileSize = 0;
    void* profile = nullptr;
    if (TIFFGetField(in, TIFFTAG_ICCPROFILE, &profileSize, &profile))
        TIFFSetField(out, TIFFTAG_ICCPROFILE, profileSize, profile);
    CopyInks(in, out);
    CopyTagValue(in, out, TIFFTAG_PAGENUMBER, 2, TIFF_SHORT);
    for (const TagEntry& entry : kGeneralTags)
        CopyTagValue(in, out, entry.tag, entry.count, entry.type);

    if (!WithinCopyLimits(in, out, width, length, bitsPerSample, samplesPerPixel))
        return 0;

    const CopyRoutine routine = SelectCopyRoutine(in, out);
    if (routine == nullptr)
        return 0;
    return routine(in, out, length, width, samplesPerPixel);
}

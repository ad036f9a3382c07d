#include "tiffcopy/copier_state.h"

#include <tiffio.h>

#include <cstdarg>

CopierState& Copier() {
    static CopierState state;
    return state;
}

int ApplyCompressionCode(int32_t code) {
    CopierState& s = Copier();
    s.defaultGroup3Options = 0;
    switch (code) {
    case 0:
        s.defaultCompression = COMPRESSION_NONE;
        return 1;
    case 1:
        s.defaultCompression = COMPRESSION_PACKBITS;
        return 1;
    case 2:
        s.defaultCompression = COMPRESSION_CCITTFAX3;
        s.defaultGroup3Options = GROUP3OPT_FILLBITS;
        return 1;
    case 3:
        s.defaultCompression = COMPRESSION_CCITTFAX3;
        return 1;
    case 4:
        s.defaultCompression = COMPRESSION_CCITTFAX3;
        s.defaultGroup3Options = GROUP3OPT_2DENCODING | GROUP3OPT_FILLBITS;
        return 1;
    case 5:
        s.defaultCompression = COMPRESSION_CCITTFAX3;
        s.defaultGroup3Options = GROUP3OPT_2DENCODING;
        return 1;
    case 6:
        s.defaultCompression = COMPRESSION_CCITTFAX4;
        return 1;
    case 7:
        s.defaultCompression = COMPRESSION_JPEG;
        s.jpegColorMode = JPEGCOLORMODE_RGB;
        return 1;
    case 8:
        s.defaultCompression = COMPRESSION_JPEG;
        s.jpegColorMode = JPEGCOLORMODE_RAW;
        return 1;
    case 9:
        s.defaultCompression = COMPRESSION_LZW;
        return 1;
    case 10:
        s.defaultCompression = COMPRESSION_DEFLATE;
        return 1;
    default:
        return 0;
    }
}

const char* ApplyCopyOptions(const CopyOptions& options) {
    CopierState& s = Copier();
    s.ignoreReadErrors = true;
    s.callFillOrder = static_cast<uint16_t>(options.nFillOrder & 0xFFFF);
    s.tileOutput = options.nTiling;
    s.jpegQuality = options.nJpegQuality;
    ApplyCompressionCode(options.nCompression);
    return options.bAppend ? "a" : "w";
}

void ResetDirectoryValues() {
    CopierState& s = Copier();
    s.compression = s.defaultCompression;
    s.fillOrder = s.callFillOrder;
    s.group3Options = s.defaultGroup3Options;
    s.planarConfig = 0xFFFF;
    s.rowsPerStrip = 0;
    s.tileWidth = 0xFFFFFFFF;
    s.tileLength = 0xFFFFFFFF;
}

namespace {
void IgnoreLibraryMessage(const char*, const char*, va_list) {}
} // namespace

void SilenceLibraryMessages() {
    static const bool silenced = [] {
        TIFFSetWarningHandler(IgnoreLibraryMessage);
        TIFFSetErrorHandler(IgnoreLibraryMessage);
        return true;
    }();
    (void)silenced;
}

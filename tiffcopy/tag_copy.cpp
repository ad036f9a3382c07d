#include "tiffcopy/tag_copy.h"

const TagEntry kFaxTags[6] = {
    {TIFFTAG_BADFAXLINES, 1, TIFF_LONG},
    {TIFFTAG_CLEANFAXDATA, 1, TIFF_LONG},
    {TIFFTAG_CONSECUTIVEBADFAXLINES, 1, TIFF_LONG},
    {TIFFTAG_FAXRECVPARAMS, 1, TIFF_LONG},
    {TIFFTAG_FAXRECVTIME, 1, TIFF_LONG},
    {TIFFTAG_FAXSUBADDRESS, 1, TIFF_ASCII},
};

const TagEntry kGeneralTags[33] = {
    {TIFFTAG_SUBFILETYPE, 1, TIFF_LONG},
    {TIFFTAG_THRESHHOLDING, 1, TIFF_SHORT},
    {TIFFTAG_DOCUMENTNAME, 1, TIFF_ASCII},
    {TIFFTAG_IMAGEDESCRIPTION, 1, TIFF_ASCII},
    {TIFFTAG_MAKE, 1, TIFF_ASCII},
    {TIFFTAG_MODEL, 1, TIFF_ASCII},
    {TIFFTAG_MINSAMPLEVALUE, 1, TIFF_SHORT},
    {TIFFTAG_MAXSAMPLEVALUE, 1, TIFF_SHORT},
    {TIFFTAG_XRESOLUTION, 1, TIFF_RATIONAL},
    {TIFFTAG_YRESOLUTION, 1, TIFF_RATIONAL},
    {TIFFTAG_PAGENAME, 1, TIFF_ASCII},
    {TIFFTAG_XPOSITION, 1, TIFF_RATIONAL},
    {TIFFTAG_YPOSITION, 1, TIFF_RATIONAL},
    {TIFFTAG_RESOLUTIONUNIT, 1, TIFF_SHORT},
    {TIFFTAG_SOFTWARE, 1, TIFF_ASCII},
    {TIFFTAG_DATETIME, 1, TIFF_ASCII},
    {TIFFTAG_ARTIST, 1, TIFF_ASCII},
    {TIFFTAG_HOSTCOMPUTER, 1, TIFF_ASCII},
    {TIFFTAG_WHITEPOINT, kVariableCount, TIFF_RATIONAL},
    {TIFFTAG_PRIMARYCHROMATICITIES, kVariableCount, TIFF_RATIONAL},
    {TIFFTAG_HALFTONEHINTS, 2, TIFF_SHORT},
    {TIFFTAG_INKSET, 1, TIFF_SHORT},
    {TIFFTAG_DOTRANGE, 2, TIFF_SHORT},
    {TIFFTAG_TARGETPRINTER, 1, TIFF_ASCII},
    {TIFFTAG_SAMPLEFORMAT, 1, TIFF_SHORT},
    {TIFFTAG_YCBCRCOEFFICIENTS, kVariableCount, TIFF_RATIONAL},
    {TIFFTAG_YCBCRSUBSAMPLING, 2, TIFF_SHORT},
    {TIFFTAG_YCBCRPOSITIONING, 1, TIFF_SHORT},
    {TIFFTAG_REFERENCEBLACKWHITE, kVariableCount, TIFF_RATIONAL},
    {TIFFTAG_EXTRASAMPLES, kVariableCount, TIFF_SHORT},
    {TIFFTAG_SMINSAMPLEVALUE, 1, TIFF_DOUBLE},
    {TIFFTAG_SMAXSAMPLEVALUE, 1, TIFF_DOUBLE},
    {TIFFTAG_STONITS, 1, TIFF_DOUBLE},
};

namespace {
void CopyLong(TIFF* in, TIFF* out, uint32_t tag) {
    // Some "LONG" fax tags are 16-bit in the library (CleanFaxData): read them at their size.
    const TIFFField* field = TIFFFieldWithTag(in, tag);
    if (field != nullptr && TIFFFieldSetGetSize(field) == 2) {
        uint16_t value = 0;
        if (TIFFGetField(in, tag, &value))
            TIFFSetField(out, tag, value);
        return;
    }
    uint32_t value = 0;
    if (TIFFGetField(in, tag, &value))
        TIFFSetField(out, tag, value);
}

void CopyShort(TIFF* in, TIFF* out, uint32_t tag, uint16_t count) {
    switch (count) {
    case 1: {
        uint16_t value = 0;
        if (TIFFGetField(in, tag, &value))
            TIFFSetField(out, tag, value);
        break;
    }
    case 2: {
        uint16_t first = 0;
        uint16_t second = 0;
        if (TIFFGetField(in, tag, &first, &second))
            TIFFSetField(out, tag, first, second);
        break;
    }
    case 4: {
        // Per-sample tables (TransferFunction, ColorMap): as many pointers as the library gives.
        uint16_t* tables[4] = {};
        if (TIFFGetField(in, tag, &tables[0], &tables[1], &tables[2], &tables[3]))
            TIFFSetField(out, tag, tables[0], tables[1], tables[2], tables[3]);
        break;
    }
    case kVariableCount: {
        uint16_t n = 0;
        uint16_t* values = nullptr;
        if (TIFFGetField(in, tag, &n, &values))
            TIFFSetField(out, tag, n, values);
        break;
    }
    default:
        break;
    }
}

void CopyRational(TIFF* in, TIFF* out, uint32_t tag, uint16_t count) {
    if (count == 1) {
        float value = 0;
        if (TIFFGetField(in, tag, &value))
            TIFFSetField(out, tag, static_cast<double>(value));
    } else if (count == kVariableCount) {
        float* values = nullptr;
        if (TIFFGetField(in, tag, &values))
            TIFFSetField(out, tag, values);
    }
}

void CopyDouble(TIFF* in, TIFF* out, uint32_t tag, uint16_t count) {
    if (count == 1) {
        double value = 0;
        if (TIFFGetField(in, tag, &value))
            TIFFSetField(out, tag, value);
    } else if (count == kVariableCount) {
        double* values = nullptr;
        if (TIFFGetField(in, tag, &values))
            TIFFSetField(out, tag, values);
    }
}
} // namespace

void CopyTagValue(TIFF* in, TIFF* out, uint32_t tag, uint16_t count, TIFFDataType type) {
    switch (type) {
    case TIFF_ASCII: {
        char* text = nullptr;
        if (TIFFGetField(in, tag, &text))
            TIFFSetField(out, tag, text);
        break;
    }
    case TIFF_LONG:
        CopyLong(in, out, tag);
        break;
    case TIFF_SHORT:
        CopyShort(in, out, tag, count);
        break;
    case TIFF_RATIONAL:
        CopyRational(in, out, tag, count);
        break;
    case TIFF_DOUBLE:
        CopyDouble(in, out, tag, count);
        break;
    default:
        break;
    }
}

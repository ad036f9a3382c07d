#include "tiffcopy/tag_copy.h"

#include <cstring>

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
// The library knows some tags only while a codec that defines them is active on the handle: the
// fax tags under a fax compression, Group4Options under Group 4, Predictor under LZW or Deflate.
// Elsewhere it keeps them as anonymous fields that pass a count and an array, so every read asks
// the field how its value is passed. Nothing is read through a form the field does not have.
const void* GetCountedValues(TIFF* in, const TIFFField* field, uint32_t& count) {
    const void* data = nullptr;
    if (TIFFFieldReadCount(field) == TIFF_VARIABLE2) {
        if (!TIFFGetField(in, TIFFFieldTag(field), &count, &data))
            return nullptr;
    } else {
        uint16_t shortCount = 0;
        if (!TIFFGetField(in, TIFFFieldTag(field), &shortCount, &data))
            return nullptr;
        count = shortCount;
    }
    return data;
}

// One unsigned integer of 1, 2 or 4 bytes, whichever way the input's field passes it.
bool GetOneInteger(TIFF* in, uint32_t tag, uint32_t& value) {
    const TIFFField* field = TIFFFindField(in, tag, TIFF_ANY);
    if (field == nullptr)
        return false;
    const int size = TIFFFieldSetGetSize(field);
    if (!TIFFFieldPassCount(field)) {
        if (size == 2) {
            uint16_t shortValue = 0;
            if (!TIFFGetField(in, tag, &shortValue))
                return false;
            value = shortValue;
            return true;
        }
        return size == 4 && TIFFGetField(in, tag, &value);
    }
    // As a plain number: a damaged file can declare a type outside the enumeration.
    const int type = TIFFFieldDataType(field);
    if (type != TIFF_BYTE && type != TIFF_SHORT && type != TIFF_LONG)
        return false;
    uint32_t count = 0;
    const void* data = GetCountedValues(in, field, count);
    if (data == nullptr || count != 1)
        return false;
    if (size == 1) {
        value = *static_cast<const uint8_t*>(data);
    } else if (size == 2) {
        uint16_t shortValue = 0;
        std::memcpy(&shortValue, data, sizeof shortValue);
        value = shortValue;
    } else if (size == 4) {
        std::memcpy(&value, data, sizeof value);
    } else {
        return false;
    }
    return true;
}

void CopyOneInteger(TIFF* in, TIFF* out, uint32_t tag) {
    uint32_t value = 0;
    if (!GetOneInteger(in, tag, value))
        return;
    // Every tag copied this way is one the output's compression or the library defines as a
    // single value; a field that wants an array is left alone rather than fed the wrong form.
    const TIFFField* field = TIFFFindField(out, tag, TIFF_ANY);
    if (field != nullptr && !TIFFFieldPassCount(field))
        TIFFSetField(out, tag, value);
}

void CopyText(TIFF* in, TIFF* out, uint32_t tag) {
    // Every text tag copied is one the library defines as a string; an anonymous one that
    // passes a count and an array is left out rather than read as a string.
    const TIFFField* field = TIFFFindField(in, tag, TIFF_ANY);
    char* text = nullptr;
    if (field != nullptr && !TIFFFieldPassCount(field) && TIFFGetField(in, tag, &text) && text != nullptr)
        TIFFSetField(out, tag, text);
}

void CopyShort(TIFF* in, TIFF* out, uint32_t tag, uint16_t count) {
    switch (count) {
    case 1:
        CopyOneInteger(in, out, tag);
        break;
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
    case TIFF_ASCII:
        CopyText(in, out, tag);
        break;
    case TIFF_LONG:
        CopyOneInteger(in, out, tag);
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

#include "tiffcopy/image_list.h"

#include "tiffcopy/copier_state.h"
#include "tiffcopy/file_open.h"
#include "tiffcopy/transfer_buffers.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
// A damaged file can declare a strip or tile of gigabytes, which the library allocates before
// it finds the file too short: the copier's own buffer limit holds for the library's too.
TIFF* OpenBounded(const char* path) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (options == nullptr)
        return nullptr;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, static_cast<tmsize_t>(kMaxBufferSize));
    TIFF* tif = OpenTiff(path, "r", options);
    TIFFOpenOptionsFree(options);
    return tif;
}
} // namespace

InputSpec OpenInputFile(const char* path) {
    InputSpec input;
    input.text = path;
    input.tif = TiffHandle(OpenBounded(path));
    return input;
}

InputSpec OpenInputSpec(const char* spec) {
    const char* separatorAt = std::strchr(spec, Copier().listSeparator);
    if (separatorAt == nullptr)
        return OpenInputFile(spec);
    InputSpec input;
    input.text = spec;
    const size_t separator = static_cast<size_t>(separatorAt - spec);
    input.tif = TiffHandle(OpenBounded(input.text.substr(0, separator).c_str()));
    if (separator + 1 == input.text.size() || !input.tif)
        return input;
    input.listActive = true;
    input.cursor = separator;
    if (AdvanceImageList(input) != ListStep::Positioned)
        input.tif.Close();
    return input;
}

ListStep AdvanceImageList(InputSpec& input) {
    const char separator = Copier().listSeparator;
    const std::string& text = input.text;
    if (input.cursor >= text.size() || text[input.cursor] != separator) {
        input.listActive = false;
        return ListStep::Exhausted;
    }
    TIFF* in = input.tif.get();
    const char* start = text.c_str() + input.cursor + 1;
    char* end = nullptr;
    // Automatic base: decimal, 0x hexadecimal or leading-0 octal. Read as a 32-bit signed
    // number on every platform (out-of-range text clamps, as a 32-bit strtol does).
    long long number = std::strtoll(start, &end, 0);
    if (number > INT32_MAX)
        number = INT32_MAX;
    if (number < INT32_MIN)
        number = INT32_MIN;
    if (end == start)
        number = TIFFCurrentDirectory(in);
    input.cursor = static_cast<size_t>(end - text.c_str());

    if (input.cursor < text.size()) {
        if (text[input.cursor] != separator) {
            std::fprintf(stderr, "Expected a %c separated image # list after %s\n", separator,
                         TIFFFileName(in));
            input.listActive = false;
            return ListStep::SyntaxError;
        }
        if (input.cursor + 1 == text.size())
            input.listActive = false; // a trailing separator: the rest follows in sequence
    }
    const tdir_t directory = static_cast<uint16_t>(number);
    if (TIFFSetDirectory(in, directory))
        return ListStep::Positioned;
    std::fprintf(stderr, "%s%c%d not found!\n", TIFFFileName(in), separator, static_cast<int>(directory));
    input.listActive = false;
    return ListStep::NotFound;
}

#include "tiffcopy/file_open.h"

namespace {
TIFF* OpenTiffAsNamed(const char* path, const char* mode, TIFFOpenOptions* options) {
    return options ? TIFFOpenExt(path, mode, options) : TIFFOpen(path, mode);
}

std::FILE* OpenStreamAsNamed(const char* path, const char* mode) {
    return std::fopen(path, mode);
}

FileOpeners g_openers = {&OpenTiffAsNamed, &OpenStreamAsNamed};
} // namespace

FileOpeners SetFileOpeners(const FileOpeners& openers) {
    const FileOpeners replaced = g_openers;
    g_openers = openers;
    return replaced;
}

TIFF* OpenTiff(const char* path, const char* mode, TIFFOpenOptions* options) {
    return g_openers.tiff(path, mode, options);
}

std::FILE* OpenStream(const char* path, const char* mode) {
    return g_openers.stream(path, mode);
}

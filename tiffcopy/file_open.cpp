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

void SetFileOpeners(const FileOpeners& openers) {
    g_openers = openers;
}

TIFF* OpenTiff(const char* path, const char* mode, TIFFOpenOptions* options) {
    return g_openers.tiff(path, mode, options);
}

std::FILE* OpenStream(const char* path, const char* mode) {
    return g_openers.stream(path, mode);
}

// How the copier and the PDF writer open files by name. By default the path goes to libtiff's and
// the C library's own calls as it is. A program whose system names files otherwise (Windows, whose
// narrow calls take only names of the code page) sets openers of its own that take the path in an
// encoding of its choosing.
#pragma once

#include <tiffio.h>

#include <cstdio>

struct FileOpeners {
    // `options` may be null.
    TIFF* (*tiff)(const char* path, const char* mode, TIFFOpenOptions* options);
    std::FILE* (*stream)(const char* path, const char* mode);
};

// Process-wide: set before the first copy, never while one runs. Returns the openers it replaces.
FileOpeners SetFileOpeners(const FileOpeners& openers);

TIFF* OpenTiff(const char* path, const char* mode, TIFFOpenOptions* options = nullptr);
std::FILE* OpenStream(const char* path, const char* mode);

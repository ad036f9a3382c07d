#include "convert/library_paths.h"

#include "framework/file_names.h"
#include "tiffcopy/file_open.h"

namespace {
TIFF* OpenTiffByName(const char* path, const char* mode, TIFFOpenOptions* options) {
    const CStringW name = files::FromUtf8(path);
    if (files::WideNames())
        return options ? TIFFOpenWExt(name, mode, options) : TIFFOpenW(name, mode);
    CString ansi;
    if (!files::AnsiForm(name, ansi))
        return nullptr;
    return options ? TIFFOpenExt(ansi, mode, options) : TIFFOpen(ansi, mode);
}

std::FILE* OpenStreamByName(const char* path, const char* mode) {
    return files::OpenStream(files::FromUtf8(path), mode);
}
} // namespace

std::string LibraryPath(const wchar_t* name) {
    static const bool openersSet = [] {
        SetFileOpeners(FileOpeners{&OpenTiffByName, &OpenStreamByName});
        return true;
    }();
    static_cast<void>(openersSet);
    return files::ToUtf8(name);
}

#include "convert/convert_awd_file.h"

#include "convert/library_paths.h"
#include "tiffcopy/copier_state.h"
#include "tiffcopy/file_open.h"
#include "tiffcopy/tiff_handle.h"

#include <tiffio.h>

int CountRenderedPages(const wchar_t* path) {
    SilenceLibraryMessages();
    // Only the directories are read: mapping the whole file would cost more than that.
    const TiffHandle file(OpenTiff(LibraryPath(path).c_str(), "rm"));
    TIFF* tif = file.get();
    if (!tif)
        return 0;
    // A directory that points at a next one which cannot be read means the file was cut short.
    int pages = 1;
    while (!TIFFLastDirectory(tif)) {
        if (!TIFFReadDirectory(tif)) {
            pages = -1;
            break;
        }
        ++pages;
    }
    return pages;
}

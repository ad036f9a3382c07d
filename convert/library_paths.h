// The copier and the PDF writer take char paths and open files through tiffcopy/file_open.h. This
// program hands them every name as UTF-8 and opens the files itself: by the wide name on NT-based
// Windows, by the code page's on Windows 95, 98 and Me.
#pragma once

#include <string>

// `name` as the copier and the PDF writer take it. The first call sets their openers.
std::string LibraryPath(const wchar_t* name);

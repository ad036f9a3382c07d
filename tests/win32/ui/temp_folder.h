// A folder of the test's own under the temporary folder, with Windows' own kinds of entries.
#pragma once

#include "support/temp_dir.h"

#include <windows.h>

#include <string>

class TempFolder : public TempDir {
public:
    using TempDir::TempDir;

    // Creates the sub-folder `relative` (its parent must exist).
    void MakeFolder(const std::string& relative, DWORD attributes = 0) const;
    // Creates the file `relative` of `size` bytes (sparse when large) and, when given, sets its
    // last-write time (UTC).
    void MakeFile(const std::string& relative, ULONGLONG size = 0,
                  const SYSTEMTIME* lastWrite = nullptr) const;
};

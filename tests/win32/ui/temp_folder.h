// A folder of the test's own under the temporary folder, removed with everything in it at the end.
#pragma once

#include <windows.h>

#include <string>

class TempFolder {
public:
    explicit TempFolder(const char* tag);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // `relative` joined to the folder with a backslash.
    std::string operator/(const std::string& relative) const { return m_path + "\\" + relative; }

    // Creates the sub-folder `relative` (its parent must exist).
    void MakeFolder(const std::string& relative, DWORD attributes = 0) const;
    // Creates the file `relative` of `size` bytes (sparse when large) and, when given, sets its
    // last-write time (UTC).
    void MakeFile(const std::string& relative, ULONGLONG size = 0,
                  const SYSTEMTIME* lastWrite = nullptr) const;

private:
    std::string m_path;
};

// Removes a folder and everything in it.
void RemoveTree(const std::string& path);

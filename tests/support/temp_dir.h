// A folder of its own for one test under the temporary folder, removed with everything in it
// when the test ends.
#pragma once

#include <string>

class TempDir {
public:
    // `tag` makes the folder's name tell which tests left it, should a run be killed.
    explicit TempDir(const std::string& tag = "tests");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    // `name` joined to the folder with the platform's separator.
    std::string Path(const std::string& name) const;
    std::string operator/(const std::string& name) const { return Path(name); }

private:
    std::string m_path;
};

// Removes a folder and everything in it, read-only entries too.
void RemoveTree(const std::string& path);

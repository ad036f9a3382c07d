#include "support/temp_dir.h"

#include <filesystem>
#include <random>

namespace fs = std::filesystem;

TempDir::TempDir(const std::string& tag) {
    static std::random_device device;
    static unsigned counter = 0;
    const fs::path base = fs::temp_directory_path();
    // A random part, so that test programs running side by side never share a folder.
    for (;;) {
        const fs::path candidate =
            base / ("tarnvel-" + tag + "-" + std::to_string(device()) + "-" + std::to_string(++counter));
        if (fs::create_directory(candidate)) {
            m_path = candidate.string();
            return;
        }
    }
}

TempDir::~TempDir() {
    RemoveTree(m_path);
}

std::string TempDir::Path(const std::string& name) const {
    return (fs::path(m_path) / name).string();
}

void RemoveTree(const std::string& path) {
    std::error_code ignored;
    // Windows refuses to delete read-only entries; on Linux the owner's write bit on the folders
    // is what counts. Either way, give every entry back its write permission first.
    for (auto it = fs::recursive_directory_iterator(path, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored))
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove_all(path, ignored);
}

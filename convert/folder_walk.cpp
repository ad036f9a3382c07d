#include "convert/folder_walk.h"

#include "framework/find_handle.h"

#include <vector>

FolderReader g_folderReader = &ReadFolderEntries;

int IsAwdFileName(const wchar_t* name) {
    const CStringW text(name);
    if (text.GetLength() < 3)
        return 0;
    // ASCII letters only: a look-alike from another script is another name.
    const wchar_t* tail = text.GetString() + text.GetLength() - 3;
    const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; };
    return lower(tail[0]) == L'a' && lower(tail[1]) == L'w' && lower(tail[2]) == L'd' ? 1 : 0;
}

bool ReadFolderEntries(const CStringW& folder, const FolderEntryVisitor& visit) {
    // "\*.*" would list the current drive's root.
    if (folder.IsEmpty())
        return true;
    WIN32_FIND_DATAW found{};
    const CFindHandle find(folder + L"\\*.*", &found);
    if (!find.IsValid())
        // A drive's empty root has not even "." to show.
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (!visit(found))
            return true;
    } while (find.Next(&found));
    return true;
}

CStringW RelativePath(const CStringW& folder, const wchar_t* name) {
    return folder.IsEmpty() ? CStringW(name) : folder + L"\\" + name;
}

namespace {
bool IsSubfolder(const WIN32_FIND_DATAW& found) {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    const wchar_t* name = found.cFileName;
    return !(name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0')));
}

// Returns false once `visit` has asked to stop.
bool Walk(FolderReader reader, const CStringW& root, const CStringW& relative, bool subfolders,
          const WalkVisitor& visit, int& unreadable) {
    std::vector<CStringW> below;
    bool going = true;
    const bool read =
        reader(relative.IsEmpty() ? root : root + L"\\" + relative, [&](const WIN32_FIND_DATAW& found) {
            going = visit(relative, found);
            if (going && subfolders && IsSubfolder(found))
                below.push_back(RelativePath(relative, found.cFileName));
            return going;
        });
    if (!read && !relative.IsEmpty())
        ++unreadable;
    for (const CStringW& folder : below) {
        if (!going)
            break;
        going = Walk(reader, root, folder, subfolders, visit, unreadable);
    }
    return going;
}
} // namespace

int WalkFolder(FolderReader reader, const CStringW& folder, bool subfolders, const WalkVisitor& visit) {
    int unreadable = 0;
    Walk(reader, folder, CStringW(), subfolders, visit, unreadable);
    return unreadable;
}

// What a batch's source holds: the AWD files of a folder, and with its subfolders those of every
// folder below it. Read by the window's listing thread and by a run without a window alike.
#pragma once

#include "framework/cstring_w.h"

#include <windows.h>

#include <functional>

// 1 when the name's last three characters are "awd" in any case, else 0.
int IsAwdFileName(const wchar_t* name);

// Calls `visit` with each entry of `folder` in the file system's order until it answers false.
// False when the folder could not be read at all (gone, access denied, a dead share); an empty
// folder is read.
using FolderEntryVisitor = std::function<bool(const WIN32_FIND_DATAW&)>;
using FolderReader = bool (*)(const CStringW& folder, const FolderEntryVisitor& visit);
// The system's enumeration; an empty folder (an item without a path) has no entries.
bool ReadFolderEntries(const CStringW& folder, const FolderEntryVisitor& visit);
// What folders are read with: ReadFolderEntries, unless a test puts one of its own in between.
extern FolderReader g_folderReader;

// Calls `visit` with every entry of `folder` and, with `subfolders`, of every folder below it at
// any depth, each with the path of its folder relative to `folder` (empty for `folder` itself):
// a folder's entries in the file system's order, then its subfolders one by one, depth first.
// Links to folders (junctions, symbolic links) are not entered: one back up would never end.
// Stops when `visit` answers false. The count of subfolders that could not be read.
using WalkVisitor = std::function<bool(const CStringW& relativeFolder, const WIN32_FIND_DATAW&)>;
int WalkFolder(FolderReader reader, const CStringW& folder, bool subfolders, const WalkVisitor& visit);

// "folder\name", or `name` alone for an empty folder.
CStringW RelativePath(const CStringW& folder, const wchar_t* name);

// Filling a branch of the folder tree off the window thread: a thread of its own, with OLE
// initialised as shell folders need, binds to the branch's folder, reads its sub-folders with their
// names, icons and buttons, puts them in the shell's order and delivers them to the tree.
#pragma once

#include "framework/cstring_w.h"
#include "framework/result_channel.h"
#include "ui/id_list.h"
#include "ui/shell_source.h"

#include <commctrl.h>

#include <memory>
#include <vector>

struct FolderChild {
    CIdList list;  // absolute
    CStringW path; // in the file system; empty when it has none
    CStringW text;
    int image = 0;
    int selectedImage = 0;
    int children = 0; // 1: the item gets a button
};

// What a fill delivers: for the tree item `item`, as asked by request `request`.
struct BranchFill {
    HTREEITEM item = nullptr;
    unsigned request = 0;
    bool bound = false;                // the folder could be bound to; without it the item loses its button
    std::vector<FolderChild> children; // in the shell's order
};

using FillChannel = CResultChannel<BranchFill>;

struct FillRequest {
    std::shared_ptr<FillChannel> channel;
    ShellSource shell;
    // The shell's task allocator, the process's own, which outlives every tree: the fill holds no
    // reference of its own, so that one cut off by a closing tree still frees its lists.
    IMalloc* malloc = nullptr;
    HWND owner = nullptr;     // the window any question of the shell's is asked over
    std::vector<BYTE> folder; // the absolute list of the branch's folder; empty for the desktop
    BranchFill fill;          // item and request
};

// Starts the fill on a thread of its own; false when no thread could be made.
bool StartBranchFill(std::unique_ptr<FillRequest> request);

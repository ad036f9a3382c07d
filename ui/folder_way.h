// The way down the folder tree to a folder given by its path (on the command line, or dropped):
// a thread of its own, with OLE initialised as shell folders need, looks at the path and has the
// desktop folder parse it into the items the tree shows on the way there, level by level.
#pragma once

#include "framework/cstring_w.h"
#include "framework/result_channel.h"
#include "ui/shell_source.h"

#include <memory>
#include <vector>

// One level of the way: the item's own element of its identifier list (its bytes, count included)
// and its file-system path, empty for an item without one (the computer).
struct FolderWayStep {
    std::vector<BYTE> element;
    CStringW path;
};

struct FolderWay {
    unsigned request = 0;
    CStringW path;
    bool isFolder = false; // the path names a folder
    std::vector<FolderWayStep>
        steps; // from a child of the desktop down; empty when the shell could not parse it
};

using WayChannel = CResultChannel<FolderWay>;

struct WayRequest {
    std::shared_ptr<WayChannel> channel;
    ShellSource shell;
    IMalloc* malloc = nullptr; // the process's own, as for a branch's fill
    HWND owner = nullptr;      // the window any question of the shell's is asked over
    FolderWay way;             // request and path
};

// Starts looking on a thread of its own; false when no thread could be made.
bool StartFolderWay(std::unique_ptr<WayRequest> request);

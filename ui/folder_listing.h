// Folder listings off the window thread: a folder's AWD files (with its subfolders, those of every
// folder below it) are read on a listing thread of the dialog's own and reach the window in
// batches, in the walk's order, as they are found. A newer listing supersedes an older one, whose
// rows never reach the window: the older's thread notices between two entries and takes the newer
// itself, so that stepping through folders starts no thread each.
#pragma once

#include "convert/folder_walk.h"
#include "framework/cstring.h"
#include "framework/cstring_w.h"
#include "framework/result_channel.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

// Posted to the listing's window when rows have arrived.
constexpr UINT WM_FOLDER_LISTED = WM_APP + 6;
// Rows found are held back at most this long before they go to the window, so that a slow share's
// show as they come.
constexpr DWORD kListingBatchMs = 100;
// A listing thread that has had no entry from the file system for this long is held up there: a
// newer listing does not wait for it.
constexpr DWORD kListingHeldUpMs = 1000;

// One row of the list: the name as the file system holds it (below the listed folder, with the path
// of its folder relative to it), the size in bytes and the last-write time in local time as shown.
struct ListedFile {
    CStringW name;
    CString size;
    CString time;
};

struct ListingBatch {
    unsigned generation = 0;
    std::vector<ListedFile> files;
    bool last = false;  // the listing is complete
    int unreadable = 0; // with `last`: the subfolders that could not be read
};
struct ListingState;

// The window thread's side of the listings of one window. Not copyable.
class CFolderLister {
public:
    CFolderLister() = default;
    ~CFolderLister() { Close(); }
    CFolderLister(const CFolderLister&) = delete;
    CFolderLister& operator=(const CFolderLister&) = delete;

    // Lists `folder`, with `subfolders` every folder below it too, for `generation` (which tells it
    // from every other listing), superseding any listing under way; `window` is told with
    // WM_FOLDER_LISTED as rows arrive. False when no listing thread could be started: then nothing
    // arrives.
    bool Start(HWND window, const CStringW& folder, bool subfolders, unsigned generation);

    enum class Taken { Waiting, More, Complete };
    // Moves at most `most` rows of `generation` that have arrived into `files`, oldest first, and
    // drops those of other listings. More: rows are left for another turn; Complete: every row of
    // the listing has been taken, and `unreadable` holds the count of its subfolders that could
    // not be read.
    Taken Take(unsigned generation, std::vector<ListedFile>& files, size_t most, int& unreadable);

    // The window goes. Listing threads are not waited for: one still in the file system ends when
    // its call returns.
    void Close();

private:
    std::shared_ptr<ListingState> m_state;
    std::deque<ListingBatch> m_arrived; // taken from the channel, not yet from here
};

#include "ui/batch_account.h"

namespace {
// Seconds under a minute, minutes and seconds under an hour, then hours and minutes: a batch of an
// archive runs for hours, where the seconds tell nothing. Rounded up, so that no batch took 0 s.
CString Duration(DWORD ms) {
    const unsigned long seconds = ms / 1000 + (ms % 1000 != 0);
    CString text;
    if (seconds < 60)
        text.Format("%lu s", seconds);
    else if (seconds < 3600)
        text.Format("%lu min %lu s", seconds / 60, seconds % 60);
    else
        text.Format("%lu h %lu min", seconds / 3600, seconds % 3600 / 60);
    return text;
}

// ", 2 failed": nothing when there are none.
CString CountOf(unsigned count, const char* what) {
    CString text;
    if (count)
        text.Format(", %u %s", count, what);
    return text;
}
} // namespace

CString BatchProgressText(unsigned inHand, unsigned files) {
    CString text;
    text.Format("Converting %u of %u...", inHand, files);
    return text;
}

CString BatchAccountText(const BatchSummary& summary, unsigned unreadableFolders) {
    CString text;
    text.Format("%u converted", summary.converted);
    text += CountOf(summary.failed, "failed") + CountOf(summary.skipped, "skipped") + " in " +
            Duration(summary.elapsedMs);
    CString more;
    // A stop during the last file leaves nothing behind: the batch then simply ended.
    if (summary.stopped && summary.notReached) {
        more.Format("; stopped: %u not reached", summary.notReached);
        text += more;
    }
    if (unreadableFolders) {
        more.Format("; %u %s could not be read", unreadableFolders,
                    unreadableFolders == 1 ? "subfolder" : "subfolders");
        text += more;
    }
    return text;
}

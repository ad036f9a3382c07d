// The listing threads: each lists the newest folder asked for and hands its AWD files to the window
// in batches; when a newer listing supersedes its own, it takes that one next, and it ends when
// none is left to take.
#include "ui/folder_listing.h"

#include "framework/handle.h"

#include <process.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <utility>

namespace {
// Rows go to the window when this many have been found, so that a fast disk's are inserted while
// the rest are still read.
constexpr size_t kBatchRows = 2000;

// The date ends in a blank, so that the time follows it directly; the clock runs to 23:59, as
// Explorer's does.
const char kDatePicture[] = "yyyy'.'MM'.'dd ";
const char kTimePicture[] = "HH':'mm";
constexpr int kFormatBuffer = 50;

using ToZoneTime = BOOL(WINAPI*)(const TIME_ZONE_INFORMATION*, const SYSTEMTIME*, SYSTEMTIME*);

// The local time of a file's last write, as Explorer shows it. NT-based Windows convert with the
// daylight-saving rule of the file's own date (a winter fax keeps its winter hour in summer);
// Windows 95, 98 and Me have no such conversion and take today's offset.
class CLocalClock {
public:
    CLocalClock() {
        // The top bit of the version marks Windows 95, 98 and Me.
        if (::GetVersion() & 0x80000000)
            return;
        m_toZoneTime = reinterpret_cast<ToZoneTime>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SystemTimeToTzSpecificLocalTime")));
        m_hasZone = ::GetTimeZoneInformation(&m_zone) != TIME_ZONE_ID_INVALID;
    }

    bool ToLocal(const FILETIME& utc, SYSTEMTIME& local) const {
        SYSTEMTIME universal{};
        if (m_toZoneTime && ::FileTimeToSystemTime(&utc, &universal) &&
            m_toZoneTime(m_hasZone ? &m_zone : nullptr, &universal, &local))
            return true;
        FILETIME here{};
        return ::FileTimeToLocalFileTime(&utc, &here) && ::FileTimeToSystemTime(&here, &local);
    }

private:
    ToZoneTime m_toZoneTime = nullptr;
    TIME_ZONE_INFORMATION m_zone{};
    bool m_hasZone = false;
};

// Makes the rows of one listing: the name below the listed folder, the size and the local
// last-write time. A folder's files share few dates and at most 1,440 clock times, so each text is
// asked of the locale once per listing.
class CDetailFormatter {
public:
    ListedFile Format(const CStringW& relativeFolder, const WIN32_FIND_DATAW& found) {
        ListedFile file;
        file.name = RelativePath(relativeFolder, found.cFileName);
        const ULONGLONG size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        file.size.Format("%llu", size);
        SYSTEMTIME time{};
        if (!m_clock.ToLocal(found.ftLastWriteTime, time))
            return file;
        file.time = Date(time);
        file.time += Clock(time);
        return file;
    }

private:
    const CString& Date(const SYSTEMTIME& time) {
        const DWORD key = (static_cast<DWORD>(time.wYear) << 16) | (time.wMonth << 8) | time.wDay;
        auto found = m_dates.find(key);
        if (found != m_dates.end())
            return found->second;
        char text[kFormatBuffer] = "";
        if (!::GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, kDatePicture, text, kFormatBuffer))
            text[0] = '\0';
        return m_dates.emplace(key, CString(text)).first->second;
    }

    const CString& Clock(const SYSTEMTIME& time) {
        const size_t key = static_cast<size_t>(time.wHour) * 60 + time.wMinute;
        if (key >= kMinutesPerDay)
            return m_empty;
        if (!m_known[key]) {
            char text[kFormatBuffer] = "";
            if (!::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, kTimePicture, text, kFormatBuffer))
                text[0] = '\0';
            m_clocks[key] = text;
            m_known[key] = true;
        }
        return m_clocks[key];
    }

    static constexpr size_t kMinutesPerDay = 24 * 60;
    const CLocalClock m_clock;
    std::map<DWORD, CString> m_dates;
    std::vector<CString> m_clocks = std::vector<CString>(kMinutesPerDay);
    std::vector<bool> m_known = std::vector<bool>(kMinutesPerDay);
    CString m_empty;
};

struct ListingRequest {
    CStringW folder;
    FolderReader reader = nullptr;
    bool subfolders = false;
    unsigned generation = 0;
};
} // namespace

// Shared by the window and the listing threads; whichever lets go last frees it. The channel keeps
// its own lock; every other member is read and written under `lock` only, so that a request and
// its generation are seen together or not at all.
struct ListingState {
    explicit ListingState(HWND window) : results(window, WM_FOLDER_LISTED) {}

    CResultChannel<ListingBatch> results;
    CCriticalSection lock;
    // The newest listing asked for; its generation is 0 once the window has gone. A listing of any
    // other generation delivers nothing more: its thread looks before each entry and its last batch.
    ListingRequest request;
    // No thread has taken `request` yet. Never true while `threads` is 0.
    bool waiting = false;
    // Listing threads alive, each in a listing or about to take one: when its listing ends, a
    // thread takes the waiting request, or ends when none waits.
    int threads = 0;
    // When a thread last took a request or had an entry from the file system.
    DWORD progressAt = 0;
};

namespace {
// Whether `generation` is still the newest listing. Each call is the file system's progress.
bool StillWanted(ListingState& state, unsigned generation) {
    CLock hold(state.lock);
    state.progressAt = ::GetTickCount();
    return state.request.generation == generation;
}

void Deliver(ListingState& state, unsigned generation, std::vector<ListedFile>& files, bool last,
             int unreadable = 0) {
    ListingBatch batch;
    batch.generation = generation;
    batch.files.swap(files);
    batch.last = last;
    batch.unreadable = unreadable;
    state.results.Deliver(std::move(batch));
}

void ListFolder(ListingState& state, const ListingRequest& request) {
    CDetailFormatter formatter;
    std::vector<ListedFile> files;
    DWORD deliveredAt = ::GetTickCount();
    const int unreadable = WalkFolder(
        request.reader, request.folder, request.subfolders,
        [&](const CStringW& relativeFolder, const WIN32_FIND_DATAW& found) {
            if (!StillWanted(state, request.generation))
                return false;
            // This also skips "." and "..".
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsAwdFileName(found.cFileName))
                return true;
            files.push_back(formatter.Format(relativeFolder, found));
            const DWORD now = ::GetTickCount();
            if (files.size() >= kBatchRows || now - deliveredAt >= kListingBatchMs) {
                Deliver(state, request.generation, files, false);
                deliveredAt = now;
            }
            return true;
        });
    if (StillWanted(state, request.generation))
        Deliver(state, request.generation, files, true, unreadable);
}

unsigned __stdcall ListingThread(void* param) {
    const std::unique_ptr<std::shared_ptr<ListingState>> owned(
        static_cast<std::shared_ptr<ListingState>*>(param));
    ListingState& state = **owned;
    for (;;) {
        ListingRequest request;
        {
            CLock hold(state.lock);
            if (!state.waiting) {
                --state.threads;
                break;
            }
            state.waiting = false;
            request = state.request;
            state.progressAt = ::GetTickCount();
        }
        ListFolder(state, request);
    }
    return 0;
}

bool StartListingThread(const std::shared_ptr<ListingState>& state) {
    auto* param = new std::shared_ptr<ListingState>(state);
    unsigned id = 0;
    const CHandle thread(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ListingThread, param, 0, &id)));
    if (!thread)
        delete param;
    return static_cast<bool>(thread);
}
} // namespace

bool CFolderLister::Start(HWND window, const CStringW& folder, bool subfolders, unsigned generation) {
    m_arrived.clear();
    if (!m_state)
        m_state = std::make_shared<ListingState>(window);
    ListingState& state = *m_state;
    bool another = false;
    {
        CLock hold(state.lock);
        state.request = ListingRequest{folder, g_folderReader, subfolders, generation};
        state.waiting = true;
        // Without a thread, or with each held up in the file system (a server gone), this listing
        // gets a thread of its own rather than waiting for theirs to return.
        another = state.threads == 0 || ::GetTickCount() - state.progressAt > kListingHeldUpMs;
        if (another)
            ++state.threads;
    }
    if (!another || StartListingThread(m_state))
        return true;
    CLock hold(state.lock);
    --state.threads;
    state.waiting = state.waiting && state.threads > 0;
    return state.threads > 0;
}

CFolderLister::Taken CFolderLister::Take(unsigned generation, std::vector<ListedFile>& files, size_t most,
                                         int& unreadable) {
    if (m_state) {
        for (ListingBatch& batch : m_state->results.TakeAll())
            if (batch.generation == generation)
                m_arrived.push_back(std::move(batch));
    }
    while (!m_arrived.empty() && files.size() < most) {
        ListingBatch& batch = m_arrived.front();
        const auto count = static_cast<std::ptrdiff_t>(std::min(most - files.size(), batch.files.size()));
        std::move(batch.files.begin(), batch.files.begin() + count, std::back_inserter(files));
        batch.files.erase(batch.files.begin(), batch.files.begin() + count);
        if (!batch.files.empty())
            break;
        if (batch.last) {
            unreadable = batch.unreadable;
            m_arrived.pop_front();
            return Taken::Complete;
        }
        m_arrived.pop_front();
    }
    return m_arrived.empty() ? Taken::Waiting : Taken::More;
}

void CFolderLister::Close() {
    m_arrived.clear();
    if (!m_state)
        return;
    m_state->results.Close();
    {
        CLock hold(m_state->lock);
        m_state->request = ListingRequest{};
        m_state->waiting = false;
    }
    m_state.reset();
}

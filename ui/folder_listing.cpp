// The listing thread: reads one folder at a time, the newest asked for, and hands its AWD files to
// the window in batches.
#include "ui/folder_listing.h"

#include "framework/handle.h"

#include <process.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <map>
#include <utility>

namespace {
// Rows go to the window when this many have been found, so that a fast disk's are inserted while
// the rest are still read.
constexpr size_t kBatchRows = 2000;

// The date ends in a blank, so that the time follows it directly.
const char kDatePicture[] = "yyyy'.'MM'.'dd ";
const char kTimePicture[] = "hh':'mm";
constexpr int kFormatBuffer = 50;

// Makes the rows of one listing: the size and the last-write time as the file system keeps it
// (UTC). A folder's files share few dates and at most 1,440 clock times, so each text is asked of
// the locale once per listing.
class CDetailFormatter {
public:
    ListedFile Format(const WIN32_FIND_DATAW& found) {
        ListedFile file;
        file.name = found.cFileName;
        const ULONGLONG size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        file.size.Format("%llu", size);
        SYSTEMTIME time{};
        if (!::FileTimeToSystemTime(&found.ftLastWriteTime, &time))
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
    std::map<DWORD, CString> m_dates;
    std::vector<CString> m_clocks = std::vector<CString>(kMinutesPerDay);
    std::vector<bool> m_known = std::vector<bool>(kMinutesPerDay);
    CString m_empty;
};
} // namespace

// Shared by the window and the listing thread; whichever lets go last frees it.
struct ListingState {
    explicit ListingState(HWND window)
        : results(window, WM_FOLDER_LISTED), wake(::CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

    CResultChannel<ListingBatch> results;
    CCriticalSection lock; // over the request, `closed` and the counts of threads
    CStringW folder;
    FolderReader reader = nullptr;
    unsigned requested = 0; // the generation waiting to be listed; 0 when none
    bool closed = false;
    int threads = 0; // listing threads
    int readers = 0; // of which in a listing
    // The newest listing's generation, looked at between entries; 0 once the window has gone.
    std::atomic<unsigned> latest{0};
    std::atomic<DWORD> progressAt{0}; // when a listing last had an entry from the file system
    CHandle wake;                     // set for every request and when the window goes
};

namespace {
void Deliver(ListingState& state, unsigned generation, std::vector<ListedFile>& files, bool last) {
    ListingBatch batch;
    batch.generation = generation;
    batch.files.swap(files);
    batch.last = last;
    state.results.Deliver(std::move(batch));
}

void ListFolder(ListingState& state, FolderReader reader, const CStringW& folder, unsigned generation) {
    CDetailFormatter formatter;
    std::vector<ListedFile> files;
    DWORD deliveredAt = ::GetTickCount();
    WalkFolder(reader, folder, false, [&](const CStringW&, const WIN32_FIND_DATAW& found) {
        state.progressAt = ::GetTickCount();
        if (state.latest != generation)
            return false;
        // This also skips "." and "..".
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsAwdFileName(found.cFileName))
            return true;
        files.push_back(formatter.Format(found));
        const DWORD now = ::GetTickCount();
        if (files.size() >= kBatchRows || now - deliveredAt >= kListingBatchMs) {
            Deliver(state, generation, files, false);
            deliveredAt = now;
        }
        return true;
    });
    if (state.latest == generation)
        Deliver(state, generation, files, true);
}

unsigned __stdcall ListingThread(void* param) {
    const std::unique_ptr<std::shared_ptr<ListingState>> owned(
        static_cast<std::shared_ptr<ListingState>*>(param));
    ListingState& state = **owned;
    for (;;) {
        ::WaitForSingleObject(state.wake.Get(), INFINITE);
        CStringW folder;
        FolderReader reader = nullptr;
        unsigned generation = 0;
        {
            CLock hold(state.lock);
            if (state.closed) {
                ::SetEvent(state.wake.Get()); // for the next thread
                break;
            }
            generation = std::exchange(state.requested, 0);
            if (!generation)
                continue;
            folder = state.folder;
            reader = state.reader;
            ++state.readers;
        }
        state.progressAt = ::GetTickCount();
        ListFolder(state, reader, folder, generation);
        CLock hold(state.lock);
        --state.readers;
        // Another thread was started while this one was held up in the file system, and waits.
        if (state.threads - state.readers > 1) {
            --state.threads;
            break;
        }
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

bool CFolderLister::Start(HWND window, const CStringW& folder, unsigned generation) {
    m_arrived.clear();
    if (!m_state) {
        m_state = std::make_shared<ListingState>(window);
        if (!m_state->wake) {
            m_state.reset();
            return false;
        }
    }
    ListingState& state = *m_state;
    bool another = false;
    {
        CLock hold(state.lock);
        state.folder = folder;
        state.reader = g_folderReader;
        state.requested = generation;
        // Without a thread, or with each held up in the file system (a server gone), this listing
        // gets a thread of its own rather than waiting for theirs to return.
        another = state.threads == 0 ||
                  (state.threads == state.readers && ::GetTickCount() - state.progressAt > kListingHeldUpMs);
        if (another)
            ++state.threads;
    }
    state.latest = generation;
    ::SetEvent(state.wake.Get());
    if (another && !StartListingThread(m_state)) {
        CLock hold(state.lock);
        return --state.threads > 0;
    }
    return true;
}

CFolderLister::Taken CFolderLister::Take(unsigned generation, std::vector<ListedFile>& files, size_t most) {
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
        const bool last = batch.last;
        m_arrived.pop_front();
        if (last)
            return Taken::Complete;
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
        m_state->closed = true;
    }
    m_state->latest = 0;
    ::SetEvent(m_state->wake.Get());
    m_state.reset();
}

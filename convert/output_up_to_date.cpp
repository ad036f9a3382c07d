#include "convert/output_up_to_date.h"

#include "convert/folder_walk.h"

namespace {
constexpr ULONGLONG kFatTimeStep = 2 * 10000000ull; // in the 100 ns of a FILETIME

// The file system takes names in any case. Only ASCII letters are folded: a name that differs in
// the case of another letter is not found, and its output is made again rather than wrongly kept.
std::wstring Folded(const wchar_t* name) {
    std::wstring folded(name);
    for (wchar_t& c : folded)
        c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
    return folded;
}
} // namespace

bool ConvertedOutputs::FolderTimes::Find(const CStringW& path, ULONGLONG& time) {
    const int slash = path.ReverseFind(L'\\');
    const CStringW folder = path.Left(slash);
    if (!m_read || folder != m_folder) {
        m_folder = folder;
        m_read = true;
        m_times.clear();
        // A folder that cannot be read holds no outputs to keep.
        g_folderReader(folder, [this](const WIN32_FIND_DATAW& found) {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                m_times[Folded(found.cFileName)] =
                    ((static_cast<ULONGLONG>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                     found.ftLastWriteTime.dwLowDateTime) /
                    kFatTimeStep;
            return true;
        });
    }
    const auto entry = m_times.find(Folded(path.Mid(slash + 1)));
    if (entry == m_times.end())
        return false;
    time = entry->second;
    return true;
}

bool ConvertedOutputs::UpToDate(const CStringW& source, const CStringW& output) {
    ULONGLONG made = 0, written = 0;
    return m_outputs.Find(output, made) && m_sources.Find(source, written) && made >= written;
}

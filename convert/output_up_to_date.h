// Whether files' outputs are there from an earlier run, so that a batch may pass them over. Never
// opens a file: each folder's entries are read in one pass when its first file is asked about (a
// second run asks about thousands of files of a few folders, and on a share, as under wine, a
// look-up of one name costs about as much as a pass over its folder). Windows 95 has no
// GetFileAttributesEx; the folder's entries give the times on every system.
#pragma once

#include "framework/cstring_w.h"

#include <windows.h>

#include <string>
#include <unordered_map>

class ConvertedOutputs {
public:
    // True when `output` is a file last written no earlier than `source`. Times count in whole steps
    // of two seconds, FAT's, the coarsest of the file systems either may lie on (a share may keep
    // seconds): an output written within the same two seconds as its source is no earlier.
    bool UpToDate(const CStringW& source, const CStringW& output);

private:
    // The last-write times of the files of the last folder asked about, by name.
    class FolderTimes {
    public:
        // False when the folder of `path` holds no file of its name.
        bool Find(const CStringW& path, ULONGLONG& time);

    private:
        CStringW m_folder;
        bool m_read = false;
        std::unordered_map<std::wstring, ULONGLONG> m_times; // names in ASCII lower case
    };
    FolderTimes m_sources;
    FolderTimes m_outputs;
};

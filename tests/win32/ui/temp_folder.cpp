#include "temp_folder.h"

#include <gtest/gtest.h>

TempFolder::TempFolder(const char* tag) {
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    static unsigned serial = 0;
    char name[MAX_PATH];
    wsprintfA(name, "%starnvel-%s-%lu-%u", temp, tag, ::GetCurrentProcessId(), ++serial);
    m_path = name;
    RemoveTree(m_path);
    EXPECT_TRUE(::CreateDirectoryA(m_path.c_str(), nullptr)) << m_path;
}

TempFolder::~TempFolder() {
    RemoveTree(m_path);
}

void TempFolder::MakeFolder(const std::string& relative, DWORD attributes) const {
    const std::string path = *this / relative;
    EXPECT_TRUE(::CreateDirectoryA(path.c_str(), nullptr)) << path;
    if (attributes) {
        EXPECT_TRUE(::SetFileAttributesA(path.c_str(), attributes)) << path;
    }
}

void TempFolder::MakeFile(const std::string& relative, ULONGLONG size, const SYSTEMTIME* lastWrite) const {
    const std::string path = *this / relative;
    HANDLE file =
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    if (size) {
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(size);
        EXPECT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
        EXPECT_TRUE(::SetEndOfFile(file));
    }
    if (lastWrite) {
        FILETIME time;
        EXPECT_TRUE(::SystemTimeToFileTime(lastWrite, &time));
        EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &time));
    }
    ::CloseHandle(file);
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                ::DeleteFileA(child.c_str());
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryA(path.c_str());
}

#include "temp_folder.h"

#include <gtest/gtest.h>

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

// What the stand-ins share: how a fixture's name tells them to fail, and the log each keeps of
// the calls it received, in the temporary folder, for the tests to read.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace doubles {

// Fixture names (any case) that make a stand-in fail as real renderers fail.
enum class Mode { Normal, Slow, DispatchFailure, Hang };

inline Mode ModeOf(const char* documentPath) {
    std::string name(documentPath ? documentPath : "");
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name = name.substr(slash + 1);
    for (char& c : name)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (name.find("slow") != std::string::npos)
        return Mode::Slow;
    if (name.find("dispfail") != std::string::npos)
        return Mode::DispatchFailure;
    if (name.find("hang") != std::string::npos)
        return Mode::Hang;
    return Mode::Normal;
}

// How long a "slow" rendering takes.
constexpr DWORD kSlowMs = 1500;
// How long a "hang" rendering sits before it gives up by itself, as a viewer on a message box
// nobody sees would sit for ever; bounded, so that a test that fails leaves no process behind.
constexpr DWORD kHangMs = 60000;

// Appends one line to the log `fileName` in the folder named by TARNVEL_DOUBLES_LOG_DIR (with
// its trailing backslash), which each test process sets for itself, else in the temporary folder.
inline void AppendLog(const char* fileName, const std::string& line) {
    char path[MAX_PATH] = "";
    DWORD length = ::GetEnvironmentVariableA("TARNVEL_DOUBLES_LOG_DIR", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        length = ::GetTempPathA(MAX_PATH, path);
    if (length == 0 || length + std::strlen(fileName) >= MAX_PATH)
        return;
    std::strcat(path, fileName);
    if (FILE* log = std::fopen(path, "ab")) {
        std::fprintf(log, "%s\n", line.c_str());
        std::fclose(log);
    }
}

// Cuts the file at `path` to half its size, as a renderer that dies while writing would.
inline void Truncate(const char* path) {
    HANDLE file = ::CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const DWORD size = ::GetFileSize(file, nullptr);
    ::SetFilePointer(file, static_cast<LONG>(size / 2), nullptr, FILE_BEGIN);
    ::SetEndOfFile(file);
    ::CloseHandle(file);
}

} // namespace doubles

// A drive root the Windows tests may write, without writing into a real drive's root (a standard
// user may not): the drive the wine harness gives the tests (TARNVEL_TEST_DRIVE), else a drive
// letter substituted for `folder`. Files in it get names of this process's own, since the
// harness's drive is shared by the test programs that run side by side.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

class ScratchDrive {
public:
    explicit ScratchDrive(const std::string& folder) : m_folder(folder) {
        if (const char* given = std::getenv("TARNVEL_TEST_DRIVE")) {
            m_root = std::string(given) + "\\";
            return;
        }
        const DWORD used = ::GetLogicalDrives();
        for (char letter = 'T'; letter <= 'Y' && m_device.empty(); ++letter) {
            const std::string device = std::string(1, letter) + ":";
            if (!(used & (1u << (letter - 'A'))) && ::DefineDosDeviceA(0, device.c_str(), folder.c_str()))
                m_device = device;
        }
        if (!m_device.empty())
            m_root = m_device + "\\";
    }
    ~ScratchDrive() {
        if (!m_device.empty())
            ::DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, m_device.c_str(),
                               m_folder.c_str());
    }
    ScratchDrive(const ScratchDrive&) = delete;
    ScratchDrive& operator=(const ScratchDrive&) = delete;

    // "T:\", or empty when there is no such drive.
    const std::string& Root() const { return m_root; }
    // A name in the root that no other test process uses.
    static std::string Own(const char* suffix) {
        return "tarnvel-" + std::to_string(::GetCurrentProcessId()) + suffix;
    }

private:
    std::string m_folder;
    std::string m_device;
    std::string m_root;
};

// An in-process server registered for a class the way an installed control is, for one scope.
#pragma once

#include <windows.h>

#include <string>

class ScopedServerRegistration {
public:
    // `threadingModel` null: none, as controls of the first OLE days are registered.
    ScopedServerRegistration(REFCLSID clsid, const std::string& dll,
                             const char* threadingModel = "Apartment");
    ~ScopedServerRegistration();
    ScopedServerRegistration(const ScopedServerRegistration&) = delete;
    ScopedServerRegistration& operator=(const ScopedServerRegistration&) = delete;
    bool ok() const { return m_ok; }

private:
    HKEY m_root = nullptr;
    std::string m_key;
    bool m_ok = false;
};

#include "server_registration.h"

#include <shlwapi.h>

namespace {
bool SetText(HKEY key, const char* name, const std::string& value) {
    return ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}
} // namespace

ScopedServerRegistration::ScopedServerRegistration(REFCLSID clsid, const std::string& dll,
                                                   const char* threadingModel) {
    wchar_t wide[64] = L"";
    char text[64] = "";
    ::StringFromGUID2(clsid, wide, 64);
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
    // The machine's classes where this user may write them (and where wine looks); else the
    // user's own, which Windows merges into the classes every program sees.
    m_key = std::string("CLSID\\") + text;
    m_root = HKEY_CLASSES_ROOT;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(m_root, (m_key + "\\InprocServer32").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                          &key, nullptr) != ERROR_SUCCESS) {
        m_key = "Software\\Classes\\" + m_key;
        m_root = HKEY_CURRENT_USER;
        if (::RegCreateKeyExA(m_root, (m_key + "\\InprocServer32").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr) != ERROR_SUCCESS)
            return;
    }
    m_ok = SetText(key, nullptr, dll) && (!threadingModel || SetText(key, "ThreadingModel", threadingModel));
    ::RegCloseKey(key);
}

ScopedServerRegistration::~ScopedServerRegistration() {
    ::SHDeleteKeyA(m_root, m_key.c_str());
}

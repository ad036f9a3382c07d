// CRegKey: an open registry key, closed with the owner. Move-only.
#pragma once

#include "framework/handle.h"

class CRegKey : public COwner<HKEY, ::RegCloseKey> {
public:
    // ERROR_SUCCESS or the registry's error code; what was open before is closed either way.
    LONG Open(HKEY root, const char* subkey, REGSAM access) {
        Reset();
        HKEY key = nullptr;
        const LONG result = ::RegOpenKeyExA(root, subkey, 0, access, &key);
        if (result == ERROR_SUCCESS)
            Reset(key);
        return result;
    }
};

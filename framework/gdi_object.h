// GDI owners: CGdiObject deletes its object (brush, font, pen, bitmap) with the owner; CBrush
// and CFont add their way of being made. Move-only.
#pragma once

#include "framework/handle.h"

template <class H> class CGdiObject : public COwner<H, ::DeleteObject> {
public:
    using COwner<H, ::DeleteObject>::COwner;

    // Takes `object` over, deleting what was held.
    void Attach(H object) { this->Reset(object); }
    BOOL DeleteObject() {
        if (!this->Get())
            return FALSE;
        this->Reset();
        return TRUE;
    }
    H GetSafeHandle() const { return this->Get(); }
    operator H() const { return this->Get(); }
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    BOOL CreateSolidBrush(COLORREF colour) {
        Attach(::CreateSolidBrush(colour));
        return GetSafeHandle() != nullptr;
    }
};

class CFont : public CGdiObject<HFONT> {
public:
    BOOL CreateFontIndirect(const LOGFONTA* logFont) {
        Attach(::CreateFontIndirectA(logFont));
        return GetSafeHandle() != nullptr;
    }
};

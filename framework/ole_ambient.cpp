#include "framework/ole_ambient.h"

#include <olectl.h>

namespace {
HRESULT Bool(VARIANT* value, bool flag) {
    value->vt = VT_BOOL;
    value->boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT Long(VARIANT* value, LONG number) {
    value->vt = VT_I4;
    value->lVal = number;
    return S_OK;
}

// An OLE_COLOR naming a system colour, so the control follows the user's scheme.
LONG SystemColour(int index) {
    return static_cast<LONG>(0x80000000u | static_cast<unsigned>(index));
}
} // namespace

HRESULT GetAmbientProperty(DISPID dispid, VARIANT* value) {
    switch (dispid) {
    case DISPID_AMBIENT_USERMODE:
        return Bool(value, true);
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_DISPLAYASDEFAULT:
    case DISPID_AMBIENT_MESSAGEREFLECT:
    case DISPID_AMBIENT_SUPPORTSMNEMONICS:
        return Bool(value, false);
    case DISPID_AMBIENT_LOCALEID:
        return Long(value, static_cast<LONG>(::GetUserDefaultLCID()));
    case DISPID_AMBIENT_BACKCOLOR:
        return Long(value, SystemColour(COLOR_BTNFACE));
    case DISPID_AMBIENT_FORECOLOR:
        return Long(value, SystemColour(COLOR_BTNTEXT));
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

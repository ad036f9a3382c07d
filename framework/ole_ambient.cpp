#include "framework/ole_ambient.h"

#include <olectl.h>

#include <initializer_list>

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

using CreateFontIndirectFn = HRESULT(WINAPI*)(FONTDESC*, REFIID, void**);

// OLE 2.20's oleaut32 has it; the first Windows 95 and NT 4.0 installs have it in olepro32 only,
// so it is looked up, not imported.
CreateFontIndirectFn FontFactory() {
    static const CreateFontIndirectFn factory = [] {
        for (const char* name : {"oleaut32.dll", "olepro32.dll"}) {
            HMODULE module = ::GetModuleHandleA(name);
            if (!module)
                module = ::LoadLibraryA(name);
            if (FARPROC found = module ? ::GetProcAddress(module, "OleCreateFontIndirect") : nullptr)
                return reinterpret_cast<CreateFontIndirectFn>(reinterpret_cast<void*>(found));
        }
        return CreateFontIndirectFn(nullptr);
    }();
    return factory;
}

// The parent's font as a font object, or DISP_E_MEMBERNOTFOUND when it has none to give.
HRESULT ParentFont(HWND parent, VARIANT* value) {
    const CreateFontIndirectFn create = FontFactory();
    const auto font = reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0));
    LOGFONTA logFont{};
    if (!create || !font || !::GetObjectA(font, sizeof(logFont), &logFont))
        return DISP_E_MEMBERNOTFOUND;
    WCHAR face[LF_FACESIZE] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, logFont.lfFaceName, -1, face, LF_FACESIZE);
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    const LONG height = logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight;
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof(desc);
    desc.lpstrName = face;
    desc.cySize.int64 = static_cast<LONGLONG>(::MulDiv(height, 72 * 10000, dpi > 0 ? dpi : 96));
    desc.sWeight = static_cast<SHORT>(logFont.lfWeight);
    desc.sCharset = logFont.lfCharSet;
    desc.fItalic = logFont.lfItalic != 0;
    desc.fUnderline = logFont.lfUnderline != 0;
    desc.fStrikethrough = logFont.lfStrikeOut != 0;
    IDispatch* fontObject = nullptr;
    if (FAILED(create(&desc, IID_IFontDisp, reinterpret_cast<void**>(&fontObject))) || !fontObject)
        return DISP_E_MEMBERNOTFOUND;
    value->vt = VT_DISPATCH;
    value->pdispVal = fontObject;
    return S_OK;
}
} // namespace

HRESULT GetAmbientProperty(DISPID dispid, HWND parent, VARIANT* value) {
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
    case DISPID_AMBIENT_FONT:
        return ParentFont(parent, value);
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

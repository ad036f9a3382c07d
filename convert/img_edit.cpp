#include "convert/img_edit.h"

#include "framework/ole_variant.h"

// {6D940280-9F11-11CE-83FD-02608C3EC08A}
const CLSID CLSID_ImgEdit = {0x6D940280, 0x9F11, 0x11CE, {0x83, 0xFD, 0x02, 0x60, 0x8C, 0x3E, 0xC0, 0x8A}};

namespace {
constexpr DISPID kDispidDocumentPath = 1;
constexpr DISPID kDispidShowDocument = 301;
constexpr DISPID kDispidSaveDocumentAs = 343;

COleVariant CopyOf(const VARIANT& value) {
    COleVariant copy;
    ::VariantCopy(&copy, const_cast<VARIANT*>(&value));
    return copy;
}
} // namespace

HRESULT CImgEdit::SetDocumentPath(const wchar_t* path, CString* exceptionText) {
    COleVariant value(path);
    if (value.vt != VT_BSTR)
        return E_OUTOFMEMORY;
    return InvokeHelper(kDispidDocumentPath, DISPATCH_PROPERTYPUT, &value, 1, exceptionText);
}

HRESULT CImgEdit::ShowDocument(CString* exceptionText) {
    return InvokeHelper(kDispidShowDocument, DISPATCH_METHOD, nullptr, 0, exceptionText);
}

HRESULT CImgEdit::SaveDocumentAs(const wchar_t* path, const VARIANT& a1, const VARIANT& a2, const VARIANT& a3,
                                 const VARIANT& a4, const VARIANT& a5, CString* exceptionText) {
    COleVariant args[] = {COleVariant(path), CopyOf(a1), CopyOf(a2), CopyOf(a3), CopyOf(a4), CopyOf(a5)};
    if (args[0].vt != VT_BSTR)
        return E_OUTOFMEMORY;
    return InvokeHelper(kDispidSaveDocumentAs, DISPATCH_METHOD, args, 6, exceptionText);
}

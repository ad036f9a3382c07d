// COleVariant: one VARIANT that clears itself (freeing a string it holds) with the object.
// Move-only; the typed constructors make exactly the variant type they name.
#pragma once

#include <windows.h>

#include <oleauto.h>

class COleVariant : public tagVARIANT {
public:
    COleVariant() { ::VariantInit(this); }
    // A VT_BSTR of the text; VT_EMPTY when it cannot be allocated.
    explicit COleVariant(const wchar_t* text) {
        ::VariantInit(this);
        if (BSTR string = ::SysAllocString(text ? text : L"")) {
            vt = VT_BSTR;
            bstrVal = string;
        }
    }
    // VT_I2, or VT_BOOL when asked for.
    COleVariant(short value, VARTYPE type) {
        ::VariantInit(this);
        vt = type == VT_BOOL ? VT_BOOL : VT_I2;
        if (vt == VT_BOOL)
            boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        else
            iVal = value;
    }
    // VT_I4, or VT_ERROR with `value` as the status code (DISP_E_PARAMNOTFOUND marks an omitted
    // optional argument).
    COleVariant(long value, VARTYPE type) {
        ::VariantInit(this);
        vt = type == VT_ERROR ? VT_ERROR : VT_I4;
        if (vt == VT_ERROR)
            scode = value;
        else
            lVal = value;
    }
    ~COleVariant() { ::VariantClear(this); }
    COleVariant(const COleVariant&) = delete;
    COleVariant& operator=(const COleVariant&) = delete;
    COleVariant(COleVariant&& other) noexcept : tagVARIANT(other) { ::VariantInit(&other); }
    COleVariant& operator=(COleVariant&& other) noexcept {
        if (this != &other) {
            ::VariantClear(this);
            static_cast<tagVARIANT&>(*this) = other;
            ::VariantInit(&other);
        }
        return *this;
    }
};

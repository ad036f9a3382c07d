#include "framework/ole_variant.h"

#include <vector>

COleVariant::COleVariant(const char* text) {
    ::VariantInit(this);
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text ? text : "", -1, nullptr, 0);
    if (length <= 0)
        return;
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    ::MultiByteToWideChar(CP_ACP, 0, text ? text : "", -1, wide.data(), length);
    BSTR string = ::SysAllocString(wide.data());
    if (!string)
        return;
    vt = VT_BSTR;
    bstrVal = string;
}

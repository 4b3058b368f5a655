#include "platform/win32/ComText.h"

#include <new>

#include "platform/win32/AnsiText.h"

namespace galemend {

Bstr::Bstr(std::string_view ansi) {
    const std::wstring wide = WideFromAnsi(ansi);
    text_ = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (text_ == nullptr) {
        throw std::bad_alloc();
    }
}

Variant::Variant(std::string_view ansi) {
    ::VariantInit(&value_);
    const std::wstring wide = WideFromAnsi(ansi);
    BSTR text = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (text == nullptr) {
        throw std::bad_alloc();
    }
    V_VT(&value_) = VT_BSTR;
    V_BSTR(&value_) = text;
}

std::string AnsiFromBstr(BSTR text) {
    if (text == nullptr) {
        return {};
    }
    return AnsiFromWide(std::wstring_view(text, ::SysStringLen(text)));
}

}  // namespace galemend

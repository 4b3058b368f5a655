#pragma once

#include <windows.h>

#include <ole2.h>

#include <string>
#include <string_view>

namespace galemend {

// Owns a BSTR and frees it when it goes.
class Bstr {
  public:
    explicit Bstr(std::string_view ansi);
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { ::SysFreeString(text_); }

    BSTR Get() const { return text_; }

  private:
    BSTR text_;
};

// A VARIANT that is cleared when it goes.
class Variant {
  public:
    Variant() { ::VariantInit(&value_); }
    explicit Variant(std::string_view ansi);
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(&value_); }

    VARIANT* Get() { return &value_; }
    const VARIANT* Get() const { return &value_; }

  private:
    VARIANT value_;
};

// ANSI text of a BSTR (null counts as empty).
std::string AnsiFromBstr(BSTR text);

}  // namespace galemend

#pragma once

#include <windows.h>

#include <ole2.h>
#include <unknwn.h>

#include <string>
#include <string_view>
#include <utility>

#include "platform/RuntimeError.h"

namespace galemend {

// Conversions between the program's UTF-8 text and the UTF-16 text of the W functions and
// COM, the one place where they happen. A lone surrogate, which a file name may hold, keeps
// its three-byte form both ways, so that every name the system gives comes back to it
// unchanged; a byte that is not valid UTF-8 becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// A path as the W functions take it: UTF-16, and when it is too long for the classic limit
// (MAX_PATH) the full path in the \\?\ form ("C:\..." becomes "\\?\C:\...", "\\server\share"
// becomes "\\?\UNC\server\share"), which has no such limit.
std::wstring SystemPath(std::string_view path);

// The runtime error that a failed Win32 call stands for.
RuntimeError Win32RuntimeError(DWORD error, const std::string& detail);

// Joins the calling thread to a single-threaded COM apartment for the object's lifetime.
// A thread already in an apartment (of either kind) stays in it.
class ComApartment {
  public:
    ComApartment() : result_(::CoInitialize(nullptr)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        // S_OK and S_FALSE each took a reference that must be given back.
        if (SUCCEEDED(result_)) {
            ::CoUninitialize();
        }
    }

    // COM can be used: this object entered an apartment, or the thread was in one already.
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

  private:
    HRESULT result_;
};

// Owns one reference to a COM interface and releases it when it goes.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { Reset(); }

    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // For functions that hand out a new reference through a T** argument.
    T** Receive() {
        Reset();
        return &pointer_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    void Reset() {
        if (pointer_ != nullptr) {
            std::exchange(pointer_, nullptr)->Release();
        }
    }

  private:
    T* pointer_ = nullptr;
};

// Owns a BSTR and frees it when it goes.
class Bstr {
  public:
    explicit Bstr(std::string_view text);
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
    explicit Variant(std::string_view text);
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(&value_); }

    VARIANT* Get() { return &value_; }
    const VARIANT* Get() const { return &value_; }

  private:
    VARIANT value_;
};

// UTF-8 text of a BSTR (null counts as empty).
std::string Utf8FromBstr(BSTR text);

}  // namespace galemend

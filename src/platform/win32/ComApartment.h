#pragma once

#include <windows.h>

#include <ole2.h>

namespace galemend {

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

}  // namespace galemend

#pragma once

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace galemend::e2e {

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// A failed command: the driver reports it and ends the scenario.
class DriverError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace galemend::e2e

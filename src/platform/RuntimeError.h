#pragma once

#include <stdexcept>
#include <string>

namespace galemend {

// Error numbers and texts reported the way the platform reports an unhandled runtime error.
enum class ErrorNumber : int {
    BadFileName = 52,  // a name or path the system refuses, or one too long for it
    DeviceUnavailable = 68,
    DiskFull = 61,
    DiskNotReady = 71,
    FileAlreadyExists = 58,
    FileNotFound = 53,
    PathFileAccessError = 75,
    PathNotFound = 76,
    PermissionDenied = 70,
};

std::string ErrorText(ErrorNumber number);

// A failure of a platform operation, carrying its number and the text shown for it.
class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(ErrorNumber number, const std::string& detail);

    int Number() const { return static_cast<int>(number_); }
    ErrorNumber Code() const { return number_; }
    // The standard text for the number, without the detail.
    std::string Text() const { return ErrorText(number_); }

  private:
    ErrorNumber number_;
};

}  // namespace galemend

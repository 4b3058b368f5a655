#include "platform/RuntimeError.h"

namespace galemend {

std::string ErrorText(ErrorNumber number) {
    switch (number) {
        case ErrorNumber::BadFileName:
            return "Bad file name or number";
        case ErrorNumber::DeviceUnavailable:
            return "Device unavailable";
        case ErrorNumber::DiskFull:
            return "Disk full";
        case ErrorNumber::DiskNotReady:
            return "Disk not ready";
        case ErrorNumber::FileAlreadyExists:
            return "File already exists";
        case ErrorNumber::FileNotFound:
            return "File not found";
        case ErrorNumber::PathFileAccessError:
            return "Path/File access error";
        case ErrorNumber::PathNotFound:
            return "Path not found";
        case ErrorNumber::PermissionDenied:
            return "Permission denied";
    }
    return "Application-defined or object-defined error";
}

RuntimeError::RuntimeError(ErrorNumber number, const std::string& detail)
    : std::runtime_error(ErrorText(number) + (detail.empty() ? "" : ": " + detail)),
      number_(number) {}

}  // namespace galemend

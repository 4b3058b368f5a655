#pragma once

#include <windows.h>

#include <ole2.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/win32/Win32Support.h"

namespace galemend {

// The registry methods of the WScript.Shell scripting object, called through IDispatch.
// Each method throws RegistryError when the object reports a failure, and Unsupported when
// the object lacks the method or does not implement it (Wine's has no RegDelete).
class ScriptShellRegistry {
  public:
    class Unsupported : public std::runtime_error {
      public:
        using std::runtime_error::runtime_error;
    };

    // The object, created by its programmatic identifier; nothing when it cannot be created
    // (Windows Script Host missing or disabled).
    static std::unique_ptr<ScriptShellRegistry> Open(const wchar_t* progId = L"WScript.Shell");

    ScriptShellRegistry(const ScriptShellRegistry&) = delete;
    ScriptShellRegistry& operator=(const ScriptShellRegistry&) = delete;

    // RegRead; a value that is not text comes back as its text form.
    std::string Read(const std::string& keyPath) const;
    void Write(const std::string& keyPath, const std::string& value, const std::string& type) const;
    void Delete(const std::string& keyPath) const;

  private:
    ScriptShellRegistry() = default;

    // Declared first: the apartment must outlive the object.
    ComApartment apartment_;
    ComPtr<IDispatch> shell_;
};

}  // namespace galemend

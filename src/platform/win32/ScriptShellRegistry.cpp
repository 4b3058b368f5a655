#include "platform/win32/ScriptShellRegistry.h"

#include <windows.h>

#include <initializer_list>
#include <iomanip>
#include <sstream>
#include <vector>

#include "platform/Registry.h"
#include "platform/win32/NativeRegistry.h"
#include "platform/win32/Win32Support.h"

namespace galemend {

namespace {

// The texts an IDispatch call may hand back with DISP_E_EXCEPTION, freed when it goes.
struct ExceptionInfo {
    EXCEPINFO info{};
    ExceptionInfo() = default;
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;
    ~ExceptionInfo() {
        ::SysFreeString(info.bstrSource);
        ::SysFreeString(info.bstrDescription);
        ::SysFreeString(info.bstrHelpFile);
    }
    // The error code; the object may fill the record in only when asked.
    HRESULT Code() {
        if (info.pfnDeferredFillIn != nullptr) {
            info.pfnDeferredFillIn(&info);
            info.pfnDeferredFillIn = nullptr;
        }
        return info.scode;
    }
};

std::string Hex(HRESULT result) {
    std::ostringstream text;
    text << "0x" << std::hex << std::setw(8) << std::setfill('0')
         << static_cast<unsigned long>(result);
    return text.str();
}

// Calls a method by name with text arguments, first argument first.
void Call(IDispatch& shell, const wchar_t* method, const std::string& keyPath,
          std::initializer_list<const Bstr*> arguments, VARIANT* result) {
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(method);
    HRESULT status = shell.GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(status)) {
        throw ScriptShellRegistry::Unsupported("WScript.Shell lacks a method: " + Hex(status));
    }
    // IDispatch takes its arguments last first. The VARIANTs only borrow the BSTRs.
    std::vector<VARIANT> values(arguments.size());
    std::size_t slot = arguments.size();
    for (const Bstr* argument : arguments) {
        VARIANT& value = values[--slot];
        ::VariantInit(&value);
        V_VT(&value) = VT_BSTR;
        V_BSTR(&value) = argument->Get();
    }
    DISPPARAMS parameters{values.data(), nullptr, static_cast<UINT>(values.size()), 0};
    ExceptionInfo exception;
    UINT badArgument = 0;
    status = shell.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, result,
                          &exception.info, &badArgument);
    if (SUCCEEDED(status)) {
        return;
    }
    const HRESULT cause = status == DISP_E_EXCEPTION ? exception.Code() : status;
    if (cause == E_NOTIMPL || cause == DISP_E_MEMBERNOTFOUND) {
        throw ScriptShellRegistry::Unsupported("WScript.Shell does not implement a method");
    }
    const std::string reason = Utf8FromBstr(exception.info.bstrDescription);
    throw RegistryError(keyPath + ": " + (reason.empty() ? Hex(cause) : reason));
}

}  // namespace

std::unique_ptr<ScriptShellRegistry> ScriptShellRegistry::Open(const wchar_t* progId) {
    std::unique_ptr<ScriptShellRegistry> registry(new ScriptShellRegistry());
    if (!registry->apartment_.Usable()) {
        return nullptr;
    }
    CLSID id{};
    if (FAILED(::CLSIDFromProgID(progId, &id))) {
        return nullptr;
    }
    if (FAILED(::CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                  IID_IDispatch, registry->shell_.ReceiveVoid()))) {
        return nullptr;
    }
    return registry;
}

std::string ScriptShellRegistry::Read(const std::string& keyPath) const {
    const Bstr name(keyPath);
    Variant value;
    Call(*shell_.Get(), L"RegRead", keyPath, {&name}, value.Get());
    return TextOfVariant(*value.Get());
}

void ScriptShellRegistry::Write(const std::string& keyPath, const std::string& value,
                                const std::string& type) const {
    const Bstr name(keyPath);
    const Bstr data(value);
    const Bstr typeName(type);
    Call(*shell_.Get(), L"RegWrite", keyPath, {&name, &data, &typeName}, nullptr);
}

void ScriptShellRegistry::Delete(const std::string& keyPath) const {
    const Bstr name(keyPath);
    Call(*shell_.Get(), L"RegDelete", keyPath, {&name}, nullptr);
}

}  // namespace galemend

#include "ui/win32/ErrorReport.h"

#include <new>

#include "platform/RuntimeError.h"
#include "startup/ExitStatus.h"

namespace galemend {

namespace {

constexpr int kOutOfMemory = 7;
constexpr int kInternalError = 51;

void ReportAndEnd(SystemProbe& probe, int number, const std::string& text) {
    probe.ShowMessage(RuntimeErrorMessage(number, text));
    probe.Terminate(static_cast<unsigned>(ExitStatus::RuntimeError));
}

}  // namespace

std::string RuntimeErrorMessage(int number, const std::string& text) {
    return "Run-time error '" + std::to_string(number) + "':\r\n\r\n" + text;
}

void RunReportingErrors(SystemProbe& probe, const std::function<void()>& work) {
    try {
        work();
    } catch (const RuntimeError& error) {
        ReportAndEnd(probe, error.Number(), error.Text());
    } catch (const std::bad_alloc&) {
        ReportAndEnd(probe, kOutOfMemory, "Out of memory");
    } catch (const std::exception& error) {
        ReportAndEnd(probe, kInternalError, std::string("Internal error: ") + error.what());
    }
}

}  // namespace galemend

#include "ui/Form1.h"

#include <array>
#include <new>

#include "platform/CodePages.h"
#include "platform/RuntimeError.h"
#include "startup/FormLoad.h"

namespace galemend {

Form1::Form1(SystemProbe& systemProbe, Host& desktop, FileSystem& fileSystem)
    : probe(systemProbe),
      host(desktop),
      fs(fileSystem),
      controls(fileSystem),
      templates(SystemCodePage(systemProbe.AnsiCodePage())),
      log(fileSystem, templates.codePage) {
    controls.Dir1.OnChange([this] { Dir1_Change(*this); });
}

void ShowCurrentFolder(Form1& form) {
    const std::string folder = form.probe.CurrentFolder();
    if (folder.empty()) {
        return;
    }
    try {
        form.controls.Dir1.SetPath(folder);
    } catch (const RuntimeError&) {
        // Nothing to show; the list stays empty until a folder is chosen.
    }
}

void LoadForm(Form1& form) {
    Form_Load(form.Installation(), [&form] { return SilentRun(form); });
}

namespace {

constexpr int kOutOfMemory = 7;
constexpr int kInternalError = 51;

void ReportAndEnd(Host& host, int number, const std::string& text) {
    host.ShowMessage(RuntimeErrorMessage(number, text));
    host.Terminate(static_cast<unsigned>(ExitStatus::RuntimeError));
}

}  // namespace

std::string RuntimeErrorMessage(int number, const std::string& text) {
    return "Run-time error '" + std::to_string(number) + "':\r\n\r\n" + text;
}

void RunReportingErrors(Host& host, const std::function<void()>& work) {
    try {
        work();
    } catch (const RuntimeError& error) {
        ReportAndEnd(host, error.Number(), error.Text());
    } catch (const std::bad_alloc&) {
        ReportAndEnd(host, kOutOfMemory, "Out of memory");
    } catch (const std::exception& error) {
        ReportAndEnd(host, kInternalError, std::string("Internal error: ") + error.what());
    }
}

Button* CommandModel(Form1Controls& c, int n) {
    const std::array buttons{&c.Command1, &c.Command2, &c.Command3, &c.Command4,
                             &c.Command5, &c.Command6, &c.Command7};
    return n >= 1 && n <= static_cast<int>(buttons.size()) ? buttons[static_cast<size_t>(n - 1)]
                                                           : nullptr;
}

Label* LabelModel(Form1Controls& c, int n) {
    const std::array labels{&c.Label1,  &c.Label2,  &c.Label3,  &c.Label4,  &c.Label5,
                            &c.Label6,  &c.Label7,  &c.Label8,  &c.Label9,  &c.Label10,
                            &c.Label11, &c.Label12, &c.Label13, &c.Label14, &c.Label15,
                            &c.Label16, &c.Label17, &c.Label18, &c.Label19};
    return n >= 1 && n <= static_cast<int>(labels.size()) ? labels[static_cast<size_t>(n - 1)]
                                                          : nullptr;
}

}  // namespace galemend

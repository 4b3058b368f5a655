// The program: start-up first, then the window and its message loop.
#include <windows.h>

#include <commctrl.h>

#include "app/resource.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemProbe.h"
#include "ui/Form1.h"
#include "ui/win32/CurrentFolder.h"
#include "ui/win32/ErrorReport.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/MessageLoop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // A drive without a disk is an error to report, never a system dialog.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    INITCOMMONCONTROLSEX commonControls{sizeof commonControls,
                                        ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&commonControls);

    galemend::Win32FileSystem fs;
    galemend::Win32SystemProbe probe;
    galemend::Form1 form(probe, fs);
    int quitCode = 0;
    galemend::RunReportingErrors(probe, [&] {
        galemend::ShowCurrentFolder(form.controls.Dir1);
        // Start-up may end the program itself; a silent run never shows the window.
        galemend::Form_Load(form);
        galemend::MainWindow window(form, instance, GALEMEND_ICON);
        window.Show(showCommand);
        quitCode = galemend::RunMessageLoop(window.Handle());
    });
    return quitCode;
}

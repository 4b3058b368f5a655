// The program: start-up first, then the window and its message loop.
#include <windows.h>

#include <commctrl.h>

#include "app/resource.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemProbe.h"
#include "ui/Form1.h"
#include "ui/win32/MainWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // A drive without a disk is an error to report, never a system dialog.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    INITCOMMONCONTROLSEX commonControls{sizeof commonControls,
                                        ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&commonControls);

    galemend::Win32FileSystem fs;
    galemend::Win32SystemProbe probe;
    galemend::Win32Host host;
    galemend::Form1 form(probe, host, fs);
    int quitCode = 0;
    galemend::RunReportingErrors(host, [&] {
        galemend::ShowCurrentFolder(form);
        // Start-up may end the program itself; a silent run never shows the window.
        galemend::LoadForm(form);
        galemend::MainWindow window(form, instance, GALEMEND_ICON);
        window.Show(showCommand);
        quitCode = galemend::RunMessageLoop(window.Handle());
    });
    return quitCode;
}

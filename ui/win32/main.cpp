// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "app/Form1.h"
#include "platform/win32/MutexInstanceGuard.h"
#include "platform/win32/Win32ListFileSource.h"
#include "platform/win32/Win32MemoryProbe.h"
#include "platform/win32/Win32MessageBoxes.h"
#include "platform/win32/Win32NumberFormat.h"
#include "platform/win32/Win32ShellService.h"
#include "ui/win32/Win32MainWindow.h"

#include <objbase.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    using namespace tallywick;

    // DLLs from the system folder only, never from the program's folder or the
    // working folder, whoever asks for them by name: the system's own DLLs too.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

    // The shell wants COM on the thread that calls it.
    const HRESULT com =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    Win32ShellService shell;
    Win32MessageBoxes boxes;
    MutexInstanceGuard instance;
    Win32ListFileSource listFiles;
    Win32MemoryProbe memory;
    Win32NumberFormat numbers;

    int code = 1;
    {
        // The window is built hidden; the start-up sequence fills it and only
        // then is it shown.
        Win32MainWindow window;
        if (window.create()) {
            boxes.setOwner(window.window());
            Form1 form(Services{shell, boxes, instance, listFiles, memory, numbers,
                                [] {
                                    return std::string("C:\\Windows\\notepad.exe");
                                }},
                       window);
            window.attach(form);
            const LoadOutcome outcome = form.load();
            if (outcome == LoadOutcome::Show) {
                window.show(showCommand);
                code = Win32MainWindow::runMessageLoop(window.window());
            } else {
                code = exitCode(outcome);
            }
        }
    }
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return code;
}

// The process entry on Windows: the machine's adapters, the windows, and the program's
// module, wired together once.

#include "app/ModMain.h"
#include "app/Trace.h"
#include "platform/win32/TraceFile.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Launcher.h"
#include "platform/win32/Win32MessageBoxes.h"

#include <windows.h>

#include <cstdlib>
#include <memory>

using namespace discmenu;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // An empty disc drive is a failure to report, not a system dialog to answer.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    std::unique_ptr<win32::TraceFile> traceFile;
    if (const wchar_t* name = _wgetenv(L"DISCMENU_TRACE"); name && *name) {
        traceFile = std::make_unique<win32::TraceFile>(std::wstring(name) == L"-"
                                                           ? win32::TraceFile::standardError()
                                                           : win32::TraceFile(name));
        if (!traceFile->isOpen())
            traceFile.reset();
    }
    Trace trace(traceFile.get());

    int exitCode = 0;
    {
        win32::Win32FileSystem fs;
        win32::Win32Environment env(win32::Win32Environment::executableFolder());
        win32::Shell shell;
        win32::Win32Desktop desktop(instance, shell);
        win32::Win32Launcher launcher(shell, &desktop);
        win32::Win32MessageBoxes messages(desktop);
        ModMain mod(Ports{fs, launcher, messages, desktop, env}, trace);
        desktop.attach(mod);

        mod.Main();
        desktop.sync();
        if (!desktop.ended())
            exitCode = desktop.run();
    }
    return exitCode;
}

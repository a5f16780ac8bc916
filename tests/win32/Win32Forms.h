#pragma once

// The sample service disc (three jobs) started with real windows under Wine, for the tests
// of the Win32 adapter's windows.

#include "Fakes.h"
#include "MachineFiles.h"
#include "TempDir.h"
#include "app/ModMain.h"
#include "app/StreamTraceSink.h"
#include "menu/FormMain.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/FormWindow.h"
#include "platform/win32/Win32Desktop.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace discmenu::test {

// The service disc with three jobs, started with real windows.
class Win32Forms : public ::testing::Test {
protected:
    Win32Forms() {
        // The sample service disc, read through Wine's drive Z: (the Linux root).
        std::string disc = std::string("Z:") + DISCMENU_SAMPLES "/service-disc";
        std::replace(disc.begin(), disc.end(), '/', '\\');
        std::filesystem::create_directories(m_temp.path() / "home");
        m_fs = machineFileSystem({{'D', utf8Path(disc)}, {'C', m_temp.path() / "home"}});
        m_desktop = std::make_unique<win32::Win32Desktop>(GetModuleHandleW(nullptr), m_shell);
        m_mod = std::make_unique<ModMain>(Ports{*m_fs, m_launcher, m_messages, *m_desktop, m_env},
                                          m_trace);
        m_desktop->attach(*m_mod);
        m_mod->Main();
        m_desktop->sync();
    }
    ~Win32Forms() override {
        m_desktop.reset(); // the windows go before the forms they draw
        m_mod.reset();
    }

    win32::FormWindow& window(const ui::Form& form) { return *m_desktop->windows().windowOf(form); }
    HWND mainHwnd() { return window(m_mod->formMain()).hwnd(); }
    // A control's rectangle in its window's client area.
    static RECT clientRect(HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static LPARAM at(int x, int y) { return MAKELPARAM(x, y); }
    // The centre of a label, in pixels at the window's dpi.
    POINT centreOf(const ui::Control& c) {
        const UINT dpi = window(*c.form()).dpi();
        return {win32::twipsToPixels(c.left() + c.width() / 2, dpi),
                win32::twipsToPixels(c.top() + c.height() / 2, dpi)};
    }
    std::vector<std::string> events(const std::string& kind) const {
        std::vector<std::string> out;
        std::istringstream lines(m_traceText.str());
        for (std::string line; std::getline(lines, line);)
            if (line.starts_with(kind + "\t"))
                out.push_back(line);
        return out;
    }

    TempDir m_temp;
    std::unique_ptr<FileSystem> m_fs;
    FakeLauncher m_launcher;
    FakeMessageBoxes m_messages;
    FakeEnvironment m_env;
    std::ostringstream m_traceText;
    StreamTraceSink m_traceSink{m_traceText};
    Trace m_trace{&m_traceSink};
    win32::Shell m_shell;
    std::unique_ptr<win32::Win32Desktop> m_desktop;
    std::unique_ptr<ModMain> m_mod;
};

} // namespace discmenu::test

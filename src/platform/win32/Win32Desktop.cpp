#include "platform/win32/Win32Desktop.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/Picture.h"
#include "platform/win32/Wide.h"

#include <commctrl.h>

#include <algorithm>

namespace discmenu::win32 {

Win32Desktop::Win32Desktop(HINSTANCE instance, Shell& shell)
    : m_instance(instance), m_shell(shell), m_windows([this](ui::Form& form) {
          return std::make_unique<FormWindow>(*this, form,
                                              form.showInTaskbar() ? nullptr : owner());
      }) {
    Wnd::registerClass(instance, FormClass, CS_DBLCLKS, nullptr);
    Wnd::registerClass(instance, ProgressWindow::Class, 0, nullptr);
    ItemWindow::registerClass(instance);
    // Now that this thread has used the window system; the look-ups the first window makes
    // are done before, so that they need not wait for the loading.
    lookUpDpiFunctions();
    m_commonControls.start();
}

Win32Desktop::~Win32Desktop() {
    m_progress.reset();
    m_windows.endProgram();
    m_windows.disposeReleased();
    for (auto& [name, picture] : m_pictures)
        DeleteObject(picture.bitmap);
    if (m_owner)
        DestroyWindow(m_owner);
}

void Win32Desktop::dispatch(MSG& msg) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        m_keyboardInUse = true;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCXBUTTONDOWN:
        m_keyboardInUse = false;
        break;
    default:
        break;
    }
    const HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialogMessageW(root, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32Desktop::doEvents() {
    sync();
    MSG msg;
    while (!ended() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        dispatch(msg);
    }
}

int Win32Desktop::run() {
    MSG msg;
    while (!ended() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        dispatch(msg);
        // Windows let go are deleted here, where none of their handlers can be running.
        if (!m_windows.handling())
            m_windows.disposeReleased();
    }
    return 0;
}

void Win32Desktop::endProgram() {
    m_progress.reset();
    m_windows.endProgram();
    PostQuitMessage(0);
}

HWND Win32Desktop::owner() {
    // Made when first needed: the main window has a task-bar button and needs no owner, and
    // every window made before it shows delays it.
    if (!m_owner)
        m_owner = CreateWindowExW(0, WC_STATICW, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  m_instance, nullptr);
    return m_owner;
}

HWND Win32Desktop::handleOf(const ui::Form& form) const {
    const FormWindow* window = m_windows.windowOf(form);
    return window ? window->hwnd() : nullptr;
}

HWND Win32Desktop::activeWindow() const {
    const HWND active = GetActiveWindow();
    HWND found = nullptr;
    m_windows.forEach([&](const FormWindow& w) {
        if (w.hwnd() == active && IsWindowVisible(active))
            found = active;
    });
    if (found)
        return found;
    const FormWindow* main = m_windows.mainWindowBesides(nullptr);
    return main && IsWindowVisible(main->hwnd()) ? main->hwnd() : nullptr;
}

HBITMAP Win32Desktop::picture(const std::string& name, int width, int height) {
    if (name.empty())
        return nullptr;
    Picture& p = m_pictures[name];
    // Decoded again only when a window shows more of it than before (a higher dpi).
    if (!p.bitmap || width > p.width || height > p.height) {
        if (p.bitmap)
            DeleteObject(p.bitmap);
        p.width = std::max(width, p.width);
        p.height = std::max(height, p.height);
        p.bitmap = loadPicture(m_shell, m_instance, toWide(name).c_str(), p.width, p.height);
    }
    return p.bitmap;
}

void Win32Desktop::enableWindows(bool enable, HWND except) {
    m_windows.forEach([&](const FormWindow& w) {
        if (w.hwnd() != except)
            EnableWindow(w.hwnd(), enable);
    });
}

void Win32Desktop::showProgress(const std::string& text, int percent) {
    if (!m_progress) {
        sync();
        const HWND owner = activeWindow();
        enableWindows(false, nullptr);
        awaitCommonControls();
        m_progress = std::make_unique<ProgressWindow>(m_instance, owner);
    }
    m_progress->show(toWide(text), percent);
    // Paints the note; the user's input waits, so that no other handler runs meanwhile.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT))
        DispatchMessageW(&msg);
}

void Win32Desktop::endProgress() {
    if (!m_progress)
        return;
    enableWindows(true, nullptr);
    m_progress.reset();
}

} // namespace discmenu::win32

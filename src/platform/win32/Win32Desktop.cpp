#include "platform/win32/Win32Desktop.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/FormWindow.h"
#include "platform/win32/Picture.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32MessageBoxes.h"

#include <commctrl.h>

#include <algorithm>

namespace discmenu::win32 {

// The note that a long copy is under way: a line of text over a progress bar.
class ProgressWindow : public Wnd {
public:
    static constexpr const wchar_t* Class = L"TidewellDiscMenuProgress";

    ProgressWindow(HINSTANCE instance, HWND owner) {
        const int dpi = static_cast<int>(dpiOf(owner));
        const auto px = [dpi](int at96) { return MulDiv(at96, dpi, 96); };
        const int w = px(360), h = px(110);
        RECT area{};
        if (owner)
            GetWindowRect(owner, &area);
        else
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        createOwn(WS_EX_DLGMODALFRAME, Class, WS_POPUP | WS_CAPTION,
                  (area.left + area.right - w) / 2, (area.top + area.bottom - h) / 2, w, h, owner,
                  instance);
        SetWindowTextW(hwnd(), Win32MessageBoxes::Title);
        RECT client{};
        GetClientRect(hwnd(), &client);
        m_text =
            CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_LEFT, px(12), px(10),
                            client.right - px(24), px(20), hwnd(), nullptr, instance, nullptr);
        SendMessageW(m_text, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     FALSE);
        m_bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, px(12), px(36),
                                client.right - px(24), px(18), hwnd(), nullptr, instance, nullptr);
        ShowWindow(hwnd(), SW_SHOW);
    }
    void show(const std::wstring& text, int percent) {
        SetWindowTextW(m_text, text.c_str());
        SendMessageW(m_bar, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    }

private:
    HWND m_text = nullptr;
    HWND m_bar = nullptr;
};

Win32Desktop::Win32Desktop(HINSTANCE instance, Shell& shell)
    : m_instance(instance), m_shell(shell) {
    Wnd::registerClass(instance, FormClass, CS_DBLCLKS, nullptr);
    Wnd::registerClass(instance, ProgressWindow::Class, 0, nullptr);
    // Now that this thread has used the window system; the look-ups the first window makes
    // are done before, so that they need not wait for the loading.
    lookUpDpiFunctions();
    m_commonControls.start();
}

Win32Desktop::~Win32Desktop() {
    m_progress.reset();
    m_windows.clear();
    m_buried.clear();
    for (auto& [name, picture] : m_pictures)
        DeleteObject(picture.bitmap);
    if (m_owner)
        DestroyWindow(m_owner);
}

void Win32Desktop::sync() {
    if (!m_forms || m_ended || m_syncing)
        return;
    m_syncing = true;
    const std::vector<ui::Form*> forms = m_forms->loadedForms();
    for (auto it = m_windows.begin(); it != m_windows.end();) {
        if (std::find(forms.begin(), forms.end(), it->first) == forms.end()) {
            it->second->detach();
            bury(std::move(it->second));
            it = m_windows.erase(it);
        } else {
            ++it;
        }
    }
    for (ui::Form* form : forms) {
        if (!windowOf(*form))
            m_windows.emplace_back(
                form, std::make_unique<FormWindow>(*this, *form,
                                                   form->showInTaskbar() ? nullptr : owner()));
    }
    for (auto& [form, window] : m_windows)
        window->sync();
    m_syncing = false;
}

void Win32Desktop::dispatch(MSG& msg) {
    const HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialogMessageW(root, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32Desktop::doEvents() {
    sync();
    MSG msg;
    while (!m_ended && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        dispatch(msg);
    }
}

int Win32Desktop::run() {
    MSG msg;
    while (!m_ended && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        dispatch(msg);
        if (m_depth == 0)
            disposeBuried();
    }
    return 0;
}

void Win32Desktop::endProgram() {
    m_ended = true;
    m_progress.reset();
    for (auto& [form, window] : m_windows) {
        window->detach();
        bury(std::move(window));
    }
    m_windows.clear();
    PostQuitMessage(0);
}

void Win32Desktop::raise(ui::Form& form, const ui::UiEvent& event) {
    act([&] { form.raise(event); });
}

void Win32Desktop::act(const std::function<void()>& edit) {
    if (m_ended)
        return;
    ++m_depth;
    edit();
    --m_depth;
    sync();
    if (m_depth == 0)
        disposeBuried();
}

void Win32Desktop::closeByFrame(ui::Form& form) {
    if (m_ended || !m_forms)
        return;
    ++m_depth;
    m_forms->closeByFrame(form);
    --m_depth;
    sync();
    if (!m_ended) {
        const std::vector<ui::Form*> forms = m_forms->loadedForms();
        if (std::none_of(forms.begin(), forms.end(), [](ui::Form* f) { return f->visible(); }))
            endProgram();
    }
}

void Win32Desktop::bury(std::unique_ptr<FormWindow> window) {
    if (window)
        m_buried.push_back(std::move(window));
}

void Win32Desktop::disposeBuried() {
    m_buried.clear();
}

FormWindow* Win32Desktop::windowOf(const ui::Form& form) const {
    for (const auto& [f, window] : m_windows) {
        if (f == &form)
            return window.get();
    }
    return nullptr;
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
    const FormWindow* window = windowOf(form);
    return window ? window->hwnd() : nullptr;
}

HWND Win32Desktop::mainWindowBesides(const FormWindow* asking) const {
    for (const auto& [form, window] : m_windows) {
        if (window.get() != asking && form->showInTaskbar())
            return window->hwnd();
    }
    return nullptr;
}

HWND Win32Desktop::activeWindow() const {
    const HWND active = GetActiveWindow();
    for (const auto& [form, window] : m_windows) {
        if (window->hwnd() == active && IsWindowVisible(active))
            return active;
    }
    const HWND main = mainWindowBesides(nullptr);
    return main && IsWindowVisible(main) ? main : nullptr;
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
    for (const auto& [form, window] : m_windows) {
        if (window->hwnd() != except)
            EnableWindow(window->hwnd(), enable);
    }
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

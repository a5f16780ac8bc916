#include "platform/win32/ControlWindows.h"

#include "platform/ui/Button.h"

namespace discmenu::win32 {

namespace {

constexpr int FirstControlId = 100; // below: the ids of keyboard navigation (IDOK, IDCANCEL)

} // namespace

ControlWindows::~ControlWindows() {
    // Before the form's window, whose children they are.
    m_natives.clear();
    m_items.clear();
}

void ControlWindows::sync(const std::function<void()>& beforeNative) {
    const auto& controls = m_form.controls();
    while (m_natives.size() < controls.size()) {
        ui::Control& control = *controls[m_natives.size()];
        if (control.kind() != ui::ControlKind::Label)
            beforeNative();
        const int id = FirstControlId + static_cast<int>(m_natives.size());
        m_natives.push_back(makeNativeControl(m_host, control, id));
    }
    for (const auto& native : m_natives) {
        if (native)
            native->sync();
    }
    if (m_itemsMade)
        syncItems();
}

void ControlWindows::makeItemWindows() {
    if (!m_itemsMade) {
        m_itemsMade = true;
        syncItems();
    }
}

void ControlWindows::syncItems() {
    const auto& controls = m_form.controls();
    m_items.resize(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i]->kind() != ui::ControlKind::Label)
            continue;
        if (!m_items[i])
            m_items[i] =
                std::make_unique<ItemWindow>(m_host, static_cast<const ui::Label&>(*controls[i]));
        m_items[i]->sync();
    }
}

void ControlWindows::syncFocus() {
    std::vector<HWND> stops;
    for (const ui::Control* stop : m_form.tabOrder()) {
        if (const HWND w = windowOf(*stop))
            stops.push_back(w);
    }
    m_keyboard.keepTabOrder(stops);
    if (const ui::Control* wanted = m_form.takeFocusRequest()) {
        if (wanted->kind() == ui::ControlKind::Label)
            makeItemWindows();
        FormKeyboard::focus(windowOf(*wanted));
    }
}

void ControlWindows::keyCommand(int id) {
    auto press = [this](const ui::Control& button) {
        ui::UiEvent click = ui::UiEvent::of(ui::EventKind::Click, button.name(), button.index());
        click.byKeyboard = true;
        m_host.raise(click);
    };
    if (id == IDCANCEL) {
        if (const ui::Control* cancel = m_form.cancelButton(); cancel && cancel->visible())
            press(*cancel);
        return;
    }
    // The focused control's own Enter, else the default button's.
    const HWND focus = GetFocus();
    for (const auto& native : m_natives) {
        if (native && native->hwnd() == focus && native->pressEnter())
            return;
    }
    for (const auto& c : m_form.controls()) {
        if (c->kind() == ui::ControlKind::Button && c->visible() &&
            static_cast<const ui::Button&>(*c).isDefault()) {
            press(*c);
            return;
        }
    }
}

void ControlWindows::dpiChanged() {
    for (const auto& native : m_natives) {
        if (native)
            native->dpiChanged();
    }
}

NativeControl* ControlWindows::byId(int id) const {
    const int i = id - FirstControlId;
    if (i < 0 || i >= static_cast<int>(m_natives.size()))
        return nullptr;
    return m_natives[static_cast<std::size_t>(i)].get();
}

HWND ControlWindows::windowOf(const ui::Control& control) const {
    const auto& controls = m_form.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].get() != &control)
            continue;
        if (i < m_natives.size() && m_natives[i])
            return m_natives[i]->hwnd();
        return i < m_items.size() && m_items[i] ? m_items[i]->hwnd() : nullptr;
    }
    return nullptr;
}

HWND ControlWindows::windowNamed(const std::string& displayName) const {
    for (const auto& c : m_form.controls()) {
        if (c->displayName() == displayName)
            return windowOf(*c);
    }
    return nullptr;
}

const ui::Control* ControlWindows::controlOf(HWND window) const {
    for (const auto& native : m_natives) {
        if (window && native && native->hwnd() == window)
            return &native->control();
    }
    return nullptr;
}

} // namespace discmenu::win32

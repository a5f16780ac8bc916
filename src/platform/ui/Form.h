#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/UiEvent.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace discmenu::ui {

class FormObserver;

enum class BorderStyle { FixedToolWindow, SizableToolWindow, FixedDialog };
enum class StartPosition { CenterScreen, CenterOwner };
enum class WindowState { Normal, Minimized, Maximized };

// A window as plain data: its properties and its controls, in creation order (later ones
// lie on top). Its events arrive through raise(); the subclass handles them.
class Form {
public:
    Form(std::string name, FormObserver* observer)
        : m_name(std::move(name)), m_observer(observer) {}
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return m_name; }

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);

    BorderStyle borderStyle() const { return m_borderStyle; }
    StartPosition startPosition() const { return m_startPosition; }
    bool showInTaskbar() const { return m_showInTaskbar; }
    int clientWidth() const { return m_clientWidth; }
    int clientHeight() const { return m_clientHeight; }
    // Names of pictures built into the program; empty for none.
    const std::string& picture() const { return m_picture; }
    const std::string& icon() const { return m_icon; }

    bool visible() const { return m_visible; }
    // Makes the form visible, and brings it to the front (a visible form too).
    void show();
    void hide();
    // Asks the window system to bring the window in front of the others once.
    void bringToFront() { m_bringToFront = true; }
    bool takeBringToFront() { return std::exchange(m_bringToFront, false); }
    // The form ran the click of the mouse press that took the focus (UiEvent::focusTo);
    // the adapter then lets no click of that press through.
    void clickRunOnFocus() { m_clickRunOnFocus = true; }
    bool takeClickRunOnFocus() { return std::exchange(m_clickRunOnFocus, false); }
    WindowState windowState() const { return m_windowState; }
    // The program's change of the state, carried out by the adapter once.
    void setWindowState(WindowState s) { m_windowState = s; }
    // The user's change, made on the window itself and only written into the data.
    void userSetWindowState(WindowState s) { m_windowState = m_shownState = s; }
    // The state the program asked for since the window last showed one; nothing when the
    // window shows it already.
    std::optional<WindowState> takeWindowStateChange() {
        if (m_windowState == m_shownState)
            return std::nullopt;
        return m_shownState = m_windowState;
    }

    // The outer size (frame and caption bar included), kept by the adapter.
    int width() const { return m_width; }
    int height() const { return m_height; }
    void setOuterSize(int width, int height) {
        m_width = width;
        m_height = height;
    }

    const std::vector<std::unique_ptr<Control>>& controls() const { return m_controls; }
    // The controls Tab visits, in order: the visible tab stops by tab index.
    std::vector<Control*> tabOrder() const;
    // The button Escape presses, or null.
    Control* cancelButton() const;
    // The program moves the keyboard focus to a control; the adapter does it once.
    void focusControl(Control& control) { m_focusRequest = &control; }
    Control* takeFocusRequest() { return std::exchange(m_focusRequest, nullptr); }

    // Delivers an event to the form's handlers.
    void raise(const UiEvent& event);

protected:
    template <class C> C& add(std::unique_ptr<C> control) {
        C& ref = *control;
        control->m_form = this;
        if (control->m_tabIndex < 0)
            control->m_tabIndex = static_cast<int>(m_controls.size());
        m_controls.push_back(std::move(control));
        return ref;
    }
    void setWindow(BorderStyle border, StartPosition start, bool showInTaskbar, int clientWidth,
                   int clientHeight);
    void setPicture(std::string picture) { m_picture = std::move(picture); }
    void setIcon(std::string icon) { m_icon = std::move(icon); }
    void setInitialCaption(std::string caption) { m_caption = std::move(caption); }
    // The control that takes the keyboard focus each time the form shows.
    void setFocusOnShow(Control& control) { m_focusOnShow = &control; }
    FormObserver* observer() const { return m_observer; }

    virtual void handle(const UiEvent& event) = 0;

private:
    std::string m_name;
    FormObserver* m_observer;
    std::string m_caption;
    BorderStyle m_borderStyle = BorderStyle::FixedDialog;
    StartPosition m_startPosition = StartPosition::CenterScreen;
    bool m_showInTaskbar = true;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_width = 0;
    int m_height = 0;
    std::string m_picture;
    std::string m_icon;
    bool m_visible = false;
    bool m_bringToFront = false;
    bool m_clickRunOnFocus = false;
    WindowState m_windowState = WindowState::Normal;
    WindowState m_shownState = WindowState::Normal;
    Control* m_focusRequest = nullptr;
    Control* m_focusOnShow = nullptr;
    std::vector<std::unique_ptr<Control>> m_controls;
};

} // namespace discmenu::ui

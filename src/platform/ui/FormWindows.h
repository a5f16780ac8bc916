#pragma once

#include "platform/ui/Form.h"
#include "platform/ui/FormSet.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/UiEvent.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace discmenu::ui {

// The windows of the loaded forms, one per form, as both window adapters keep them: made
// when a form is first seen, brought in line with the data after every event, detached and
// let go when their form is gone, and all at once when the program ends. W draws one form:
// the adapter's factory makes it from the form, and it has sync() and detach(). Delete
// disposes of a window let go; the adapter calls disposeReleased() where no handler of a
// window can be running (the Win32 loop) or uses a deleter that waits for that (Qt's).
template <class W, class Delete = std::default_delete<W>> class FormWindows {
public:
    using Window = std::unique_ptr<W, Delete>;
    using Factory = std::function<Window(Form&)>;

    explicit FormWindows(Factory make) : m_make(std::move(make)) {}
    FormWindows(const FormWindows&) = delete;
    FormWindows& operator=(const FormWindows&) = delete;

    // Told after windows were let go, and after each event once the windows are in line.
    std::function<void()> onReleased;
    std::function<void()> afterEvent;

    void attach(FormSet& forms) { m_forms = &forms; }
    bool ended() const { return m_ended; }
    bool syncing() const { return m_syncing; }
    // Whether an event is being handled (a window's handler may be on the stack).
    bool handling() const { return m_depth > 0; }

    // Makes windows for new forms, lets go of the windows of forms that are gone, and
    // brings every window in line. Asked again while it runs (an event raised by a window's
    // own message during the sync), it runs once more when done, never inside itself.
    void sync() {
        if (!m_forms || m_ended)
            return;
        if (m_syncing) {
            m_again = true;
            return;
        }
        m_syncing = true;
        do {
            m_again = false;
            const std::vector<Form*> forms = m_forms->loadedForms();
            std::erase_if(m_windows, [&](Entry& e) {
                if (std::find(forms.begin(), forms.end(), e.first) != forms.end())
                    return false;
                release(std::move(e.second));
                return true;
            });
            for (Form* form : forms) {
                if (!windowOf(*form))
                    m_windows.emplace_back(form, m_make(*form));
            }
            // By index: an event raised meanwhile may end the program and let every window go.
            for (std::size_t i = 0; i < m_windows.size() && !m_ended; ++i)
                m_windows[i].second->sync();
        } while (m_again && !m_ended);
        m_syncing = false;
    }

    // Carries out a user's edit of the forms' data (or delivers an event), then brings the
    // windows in line.
    void act(const std::function<void()>& edit) {
        if (m_ended)
            return;
        ++m_depth;
        edit();
        --m_depth;
        sync();
        if (afterEvent)
            afterEvent();
    }
    void raise(Form& form, const UiEvent& event) {
        act([&] { form.raise(event); });
    }
    // The user closed a form's window: the program's module unloads the form and decides
    // what follows (the end of the program when no window is left).
    void closeByFrame(Form& form) {
        if (m_forms)
            act([&] { m_forms->closeByFrame(form); });
    }

    // A text box lost the focus to another control of its window; pressed names the button
    // a mouse press moved it to (empty for none). The typed text goes into the data first.
    // True when the press must be kept from the button: the form ran its click itself,
    // because a message of the focus handler took the press's release.
    bool lostFocus(Form& form, TextBox& box, std::string typed, const std::string& pressed) {
        box.setText(std::move(typed));
        UiEvent lost = UiEvent::of(EventKind::LostFocus, box.name());
        lost.focusTo = pressed;
        raise(form, lost);
        return !pressed.empty() && windowOf(form) && form.takeClickRunOnFocus();
    }

    // The end of the program: every window is let go, none made again.
    void endProgram() {
        m_ended = true;
        for (Entry& e : m_windows)
            release(std::move(e.second));
        m_windows.clear();
    }
    void disposeReleased() { m_released.clear(); }

    W* windowOf(const Form& form) const {
        for (const Entry& e : m_windows) {
            if (e.first == &form)
                return e.second.get();
        }
        return nullptr;
    }
    // The main window (the form with a task-bar button), unless it is the one asking.
    W* mainWindowBesides(const W* asking) const {
        for (const Entry& e : m_windows) {
            if (e.second.get() != asking && e.first->showInTaskbar())
                return e.second.get();
        }
        return nullptr;
    }
    template <class F> void forEach(F&& f) const {
        for (const Entry& e : m_windows)
            f(*e.second);
    }

private:
    using Entry = std::pair<const Form*, Window>;

    void release(Window window) {
        if (!window)
            return;
        window->detach();
        m_released.push_back(std::move(window));
        if (onReleased)
            onReleased();
    }

    Factory m_make;
    FormSet* m_forms = nullptr;
    std::vector<Entry> m_windows;
    std::vector<Window> m_released;
    int m_depth = 0;
    bool m_ended = false;
    bool m_syncing = false;
    bool m_again = false;
};

} // namespace discmenu::ui

#pragma once

#include "platform/Desktop.h"
#include "platform/ui/FormSet.h"
#include "platform/ui/UiEvent.h"

#include <QPointer>
#include <QProgressDialog>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <map>

namespace discmenu::ui {
class Form;
}

namespace discmenu::qt {

class FormWindow;

// The Qt side of the program's windows: one FormWindow per loaded form, kept in line with
// the forms' data after each event, before each message box and whenever pending events
// are let through.
class QtDesktop : public Desktop {
public:
    // Bounds the toolkit's cache of drawn widget pieces (needs the application object).
    QtDesktop();
    ~QtDesktop() override;

    void attach(ui::FormSet& forms) { m_forms = &forms; }

    // Creates windows for new forms, brings every window in line, drops windows of
    // forms that are gone.
    void sync();
    void doEvents() override;
    void endProgram() override;
    bool ended() const { return m_ended; }

    // Gives the heap's freed pages back to the system; done after a window has closed, and
    // after an event when the freed space has grown by a mebibyte since the last time:
    // windows, lists and texts are made and dropped in blocks that fall among blocks that
    // live on, so without it the freed space (not the memory in use) grows with the events.
    void releaseFreedMemory();

    // Delivers a user's event to a form, then brings the windows in line.
    void raise(ui::Form& form, const ui::UiEvent& event);
    // Carries out a user's edit of the forms' data, then brings the windows in line.
    void act(const std::function<void()>& edit);
    void showProgress(const std::string& text, int percent) override;
    void endProgress() override;
    void closeByFrame(ui::Form& form);

    FormWindow* windowOf(const ui::Form& form) const;
    // The window a form centred on its owner is placed over: the main window.
    QWidget* ownerWindow(const QWidget* window) const;

private:
    ui::FormSet* m_forms = nullptr;
    std::map<const ui::Form*, QPointer<FormWindow>> m_windows;
    std::size_t m_freedLeast = 0; // the least freedMemory() since the last release
    bool m_ended = false;
    QPointer<QProgressDialog> m_progress;
};

} // namespace discmenu::qt

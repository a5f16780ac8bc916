#pragma once

#include "platform/Desktop.h"
#include "platform/qt/FormWindow.h"
#include "platform/ui/FormWindows.h"

#include <QPointer>
#include <QProgressDialog>
#include <cstddef>

namespace discmenu::qt {

// A window let go is deleted by the event loop, once no handler of it can be running.
struct DeleteLater {
    void operator()(FormWindow* window) const;
};

// The Qt side of the program's windows: one FormWindow per loaded form (kept by
// ui::FormWindows), the progress note, and the memory the windows leave behind.
class QtDesktop : public Desktop {
public:
    using Windows = ui::FormWindows<FormWindow, DeleteLater>;

    // Bounds the toolkit's cache of drawn widget pieces (needs the application object).
    QtDesktop();
    ~QtDesktop() override;

    void attach(ui::FormSet& forms) { m_windows.attach(forms); }
    Windows& windows() { return m_windows; }
    void sync() { m_windows.sync(); }
    void doEvents() override;
    void endProgram() override;
    bool ended() const { return m_windows.ended(); }
    void showProgress(const std::string& text, int percent) override;
    void endProgress() override;
    FormWindow* windowOf(const ui::Form& form) const { return m_windows.windowOf(form); }

    // Gives the heap's freed pages back to the system; done after a window has closed, and
    // after an event when the freed space has grown by a mebibyte since the last time:
    // windows, lists and texts are made and dropped in blocks that fall among blocks that
    // live on, so without it the freed space (not the memory in use) grows with the events.
    void releaseFreedMemory();

private:
    void afterEvent();

    Windows m_windows;
    std::size_t m_freedLeast = 0; // the least freedMemory() since the last release
    QPointer<QProgressDialog> m_progress;
};

} // namespace discmenu::qt

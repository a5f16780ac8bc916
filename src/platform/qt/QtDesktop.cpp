#include "platform/qt/QtDesktop.h"

#include "platform/qt/FormWindow.h"
#include "platform/qt/MemoryUse.h"

#include <QApplication>
#include <QPixmapCache>
#include <QThread>
#include <QTimer>
#include <algorithm>

namespace discmenu::qt {

namespace {

// The style keeps the pieces of widgets it has drawn (button faces, frames, scroll bars,
// one for each size and state) in the toolkit's pixmap cache, 10 MiB by default, which
// fills as windows are resized. The program's few widgets need far less.
constexpr int PixmapCacheKiB = 256;

} // namespace

QtDesktop::QtDesktop() {
    QPixmapCache::setCacheLimit(PixmapCacheKiB);
}

QtDesktop::~QtDesktop() {
    for (auto& [form, window] : m_windows)
        delete window.data();
}

void QtDesktop::sync() {
    if (!m_forms || m_ended)
        return;
    const std::vector<ui::Form*> forms = m_forms->loadedForms();
    for (auto it = m_windows.begin(); it != m_windows.end();) {
        if (std::find(forms.begin(), forms.end(), it->first) == forms.end()) {
            if (it->second) {
                it->second->detach();
                // Once the event loop has deleted the window (and whatever else was let go
                // with it), its memory goes back to the system.
                QObject::connect(it->second, &QObject::destroyed,
                                 [] { QTimer::singleShot(0, &qt::releaseFreedMemory); });
                it->second->deleteLater();
            }
            it = m_windows.erase(it);
        } else {
            ++it;
        }
    }
    for (ui::Form* form : forms) {
        QPointer<FormWindow>& window = m_windows[form];
        if (!window)
            window = new FormWindow(*this, *form);
        window->sync();
    }
}

void QtDesktop::doEvents() {
    sync();
    QApplication::processEvents();
}

void QtDesktop::endProgram() {
    m_ended = true;
    for (auto& [form, window] : m_windows) {
        if (window) {
            window->detach();
            window->deleteLater();
        }
    }
    m_windows.clear();
    // Leaves the event loop when one runs; before it runs, the entry sees ended() instead.
    if (QThread::currentThread()->loopLevel() > 0)
        QApplication::exit(0);
}

void QtDesktop::raise(ui::Form& form, const ui::UiEvent& event) {
    act([&] { form.raise(event); });
}

void QtDesktop::act(const std::function<void()>& edit) {
    if (m_ended)
        return;
    edit();
    sync();
    // Freed space that was used again and freed once more is back in memory: the mebibyte
    // counts from the least freed space seen since the last release.
    const std::size_t freed = freedMemory();
    m_freedLeast = std::min(m_freedLeast, freed);
    if (freed > m_freedLeast + 1024 * 1024)
        releaseFreedMemory();
}

void QtDesktop::releaseFreedMemory() {
    qt::releaseFreedMemory();
    m_freedLeast = freedMemory();
}

void QtDesktop::showProgress(const std::string& text, int percent) {
    if (!m_progress) {
        sync();
        m_progress = new QProgressDialog();
        m_progress->setWindowTitle(QApplication::applicationName());
        m_progress->setWindowModality(Qt::ApplicationModal);
        m_progress->setCancelButton(nullptr);
        m_progress->setMinimumDuration(0);
        m_progress->setRange(0, 100);
    }
    m_progress->setLabelText(QString::fromStdString(text));
    m_progress->setValue(percent);
    // Paints the note; the user's input waits, so that no other handler runs meanwhile.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtDesktop::endProgress() {
    delete m_progress.data();
}

void QtDesktop::closeByFrame(ui::Form& form) {
    if (m_ended || !m_forms)
        return;
    m_forms->closeByFrame(form);
    sync();
}

FormWindow* QtDesktop::windowOf(const ui::Form& form) const {
    auto it = m_windows.find(&form);
    return it == m_windows.end() ? nullptr : it->second.data();
}

QWidget* QtDesktop::ownerWindow(const QWidget* window) const {
    for (const auto& [form, w] : m_windows) {
        if (w && w != window && form->showInTaskbar())
            return w.data();
    }
    return nullptr;
}

} // namespace discmenu::qt

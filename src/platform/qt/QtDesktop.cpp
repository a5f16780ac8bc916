#include "platform/qt/QtDesktop.h"

#include "platform/qt/Accessible.h"
#include "platform/qt/MemoryUse.h"

#include <QAccessible>
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

void DeleteLater::operator()(FormWindow* window) const {
    // Once the event loop has deleted the window (and whatever else was let go with it),
    // its memory goes back to the system.
    QObject::connect(window, &QObject::destroyed,
                     [] { QTimer::singleShot(0, &qt::releaseFreedMemory); });
    window->deleteLater();
}

QtDesktop::QtDesktop()
    : m_windows([this](ui::Form& form) { return Windows::Window(new FormWindow(*this, form)); }) {
    QPixmapCache::setCacheLimit(PixmapCacheKiB);
    QAccessible::installFactory(&accessibleFor);
    m_windows.onReleased = [this] { m_windows.disposeReleased(); };
    m_windows.afterEvent = [this] { afterEvent(); };
}

QtDesktop::~QtDesktop() {
    m_windows.endProgram();
    // The windows' deferred deletion, now: no event loop will run it any more.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtDesktop::doEvents() {
    sync();
    QApplication::processEvents();
}

void QtDesktop::endProgram() {
    m_windows.endProgram();
    // Leaves the event loop when one runs; before it runs, the entry sees ended() instead.
    if (QThread::currentThread()->loopLevel() > 0)
        QApplication::exit(0);
}

void QtDesktop::afterEvent() {
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

} // namespace discmenu::qt

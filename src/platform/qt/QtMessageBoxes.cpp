#include "platform/qt/QtMessageBoxes.h"

#include "platform/qt/QtDesktop.h"

#include <QMessageBox>

namespace discmenu::qt {

Answer QtMessageBoxes::show(const std::string& prompt, Buttons buttons) {
    m_desktop.sync();
    if (!m_queued.empty()) {
        const Answer answer = m_queued.front();
        m_queued.pop_front();
        return answer;
    }
    const Answer answer = [&] {
        QMessageBox box(
            QMessageBox::NoIcon, QString::fromUtf8(Title), QString::fromStdString(prompt),
            buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
    }();
    m_desktop.releaseFreedMemory(); // the box's window is gone
    return answer;
}

} // namespace discmenu::qt

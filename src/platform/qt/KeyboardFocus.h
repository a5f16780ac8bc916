#pragma once

#include "platform/qt/Widgets.h"
#include "platform/ui/Form.h"

#include <QObject>
#include <QWidget>
#include <memory>
#include <vector>

class QKeyEvent;

namespace discmenu::qt {

// The keyboard's part of a form window, as the form's data gives it: which widgets Tab
// stops on and in what order, the focus the program asks for, the focus event of each move
// the keyboard makes (never of the mouse's), and Escape and Enter for the form's cancel and
// default buttons.
class KeyboardFocus : public QObject {
public:
    KeyboardFocus(QWidget& window, WidgetHost& host) : m_window(window), m_host(host) {}

    // After the widgets are in line with their controls.
    void sync(ui::Form& form, const std::vector<std::unique_ptr<ControlView>>& views);
    // A key no control took; true when it pressed the cancel or default button.
    bool pressButton(const QKeyEvent& event, const ui::Form& form);
    // The form is gone: its controls are no longer looked at.
    void forget() { m_watched.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    WidgetHost& m_host;
    std::vector<std::pair<QWidget*, const ui::Control*>> m_watched;
    std::vector<QWidget*> m_chain; // the Tab order as last set
};

} // namespace discmenu::qt

#pragma once

#include "platform/ui/Form.h"

#include <QImage>
#include <QWidget>
#include <functional>
#include <map>

namespace discmenu::qt {

class QtDesktop;

// The window of one form: draws the form's picture and a widget for each control, and
// turns the user's input into the form's events.
class FormWindow : public QWidget {
public:
    FormWindow(QtDesktop& desktop, ui::Form& form);

    ui::Form& form() const { return m_form; }
    // Brings the window and every widget in line with the form's data.
    void sync();
    // The widget drawing a control, by its display name ("lblMain(2)"); null when none.
    QWidget* widgetFor(const std::string& displayName) const;

    // The part of the picture decoded so far, in image pixels; empty before it is drawn.
    QSize decodedPicture() const { return m_picture.size(); }

    // The form is gone: the window no longer reaches it and closes quietly.
    void detach();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void changeEvent(QEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void moveEvent(QMoveEvent*) override;

private:
    void raise(const ui::UiEvent& event);
    // The user changed a control in a way its data carries out itself (a folder opened, a
    // drive chosen); the data raises whatever follows.
    void userAction(const std::function<void()>& edit);
    QWidget* createWidget(ui::Control& control);
    void syncControl(ui::Control& control, QWidget* widget);
    void placeAtStart();
    // Takes the outer size (frame included) into the form; true when it changed.
    bool takeOuterSize();
    void preparePicture();

    QtDesktop& m_desktop;
    ui::Form& m_form;
    bool m_detached = false;
    bool m_placed = false;
    ui::WindowState m_appliedState = ui::WindowState::Normal; // as last shown or seen
    // The form's picture file; empty when it has none.
    QString m_pictureFile;
    // The part of the picture the window can show, decoded when first drawn.
    QImage m_picture;
    std::map<const ui::Control*, QWidget*> m_widgets;
};

} // namespace discmenu::qt

#pragma once

#include "platform/qt/KeyboardFocus.h"
#include "platform/qt/Widgets.h"
#include "platform/ui/Form.h"

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace discmenu::qt {

class QtDesktop;

// The window of one form: draws the form's picture and a widget for each control, and
// turns the user's input into the form's events.
class FormWindow : public QWidget, private WidgetHost {
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
    bool isDialog() const { return m_dialog; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void changeEvent(QEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    // WidgetHost
    void raise(const ui::UiEvent& event, const std::function<void()>& userEdit = {}) override;
    void act(const std::function<void()>& edit) override;
    bool lostFocus(ui::TextBox& box, std::string typed, const std::string& pressed) override;

    void placeAtStart();
    // Takes the outer size (frame included) into the form; true when it changed.
    bool takeOuterSize();
    void preparePicture();

    QtDesktop& m_desktop;
    ui::Form& m_form;
    bool m_detached = false;
    bool m_placed = false;
    bool m_dialog = false;
    // The form's picture file; empty when it has none.
    QString m_pictureFile;
    // The part of the picture the window can show, decoded when first drawn.
    QImage m_picture;
    // One per control of the form, in its order.
    std::vector<std::unique_ptr<ControlView>> m_views;
    KeyboardFocus m_keys{*this, *this};
};

} // namespace discmenu::qt

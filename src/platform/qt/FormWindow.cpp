#include "platform/qt/FormWindow.h"

#include "platform/qt/QtDesktop.h"
#include "platform/ui/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <QtMath>

namespace discmenu::qt {

namespace {

Qt::WindowFlags flagsFor(ui::BorderStyle border) {
    // Every window has a title and a close box, none a minimise or maximise box.
    Qt::WindowFlags flags =
        Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    switch (border) {
    case ui::BorderStyle::FixedToolWindow:
        // A plain window rather than a tool window, so that it keeps its task-bar button
        // on every desktop.
        return flags | Qt::Window;
    case ui::BorderStyle::SizableToolWindow:
        return flags | Qt::Tool;
    case ui::BorderStyle::FixedDialog:
        return flags | Qt::Dialog;
    }
    return flags | Qt::Window;
}

int px(int twips) {
    return ui::toPixels(twips);
}

} // namespace

FormWindow::FormWindow(QtDesktop& desktop, ui::Form& form)
    : QWidget(nullptr, flagsFor(form.borderStyle())), m_desktop(desktop), m_form(form),
      m_dialog(form.borderStyle() == ui::BorderStyle::FixedDialog) {
    setObjectName(QString::fromStdString(form.name()));
    setMouseTracking(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
    if (!form.picture().empty())
        m_pictureFile = QStringLiteral(":/art/%1.jpg").arg(QString::fromStdString(form.picture()));
    if (!form.icon().empty()) {
        // Named format, as for the picture: no other image plugin is loaded to guess it.
        QImageReader icon(QStringLiteral(":/art/%1.png").arg(QString::fromStdString(form.icon())),
                          "png");
        icon.setAutoDetectImageFormat(false);
        setWindowIcon(QIcon(QPixmap::fromImage(icon.read())));
    }
    const QSize client(px(form.clientWidth()), px(form.clientHeight()));
    if (form.borderStyle() == ui::BorderStyle::SizableToolWindow)
        resize(client);
    else
        setFixedSize(client);
}

void FormWindow::detach() {
    m_detached = true;
    m_keys.forget();
    hide();
}

void FormWindow::raise(const ui::UiEvent& event, const std::function<void()>& userEdit) {
    if (m_detached)
        return;
    m_desktop.windows().act([&] {
        if (userEdit)
            userEdit();
        m_form.raise(event);
    });
}

void FormWindow::act(const std::function<void()>& edit) {
    if (!m_detached)
        m_desktop.windows().act(edit);
}

bool FormWindow::lostFocus(ui::TextBox& box, std::string typed, const std::string& pressed) {
    return !m_detached && m_desktop.windows().lostFocus(m_form, box, std::move(typed), pressed);
}

void FormWindow::sync() {
    if (m_detached)
        return;
    const QString caption = QString::fromStdString(m_form.caption());
    if (windowTitle() != caption)
        setWindowTitle(caption);
    const auto& controls = m_form.controls();
    while (m_views.size() < controls.size())
        m_views.push_back(makeControlView(this, *this, *controls[m_views.size()]));
    for (const auto& view : m_views) {
        const ui::Control& c = view->control();
        view->widget()->setGeometry(px(c.left()), px(c.top()), px(c.width()), px(c.height()));
        view->sync();
        view->widget()->setVisible(c.visible());
    }
    if (m_form.visible()) {
        if (!m_placed)
            placeAtStart();
        // Only a change the program made: the user's own minimising stays as it is.
        if (const auto state = m_form.takeWindowStateChange())
            setWindowState(*state == ui::WindowState::Minimized   ? Qt::WindowMinimized
                           : *state == ui::WindowState::Maximized ? Qt::WindowMaximized
                                                                  : Qt::WindowNoState);
        const bool wasVisible = isVisible();
        if (!wasVisible) {
            // The window itself holds the focus until a control is given it: none is
            // focused (nor its frame drawn) before the keyboard moves there.
            if (!focusWidget())
                setFocus(Qt::OtherFocusReason);
            show();
        }
        // A window shown comes up above the others (where no window manager does it, X
        // maps it again where it last lay); one already shown also takes the focus.
        if (m_form.takeBringToFront()) {
            QWidget::raise();
            if (wasVisible)
                activateWindow();
        }
    } else if (isVisible()) {
        hide();
    }
    m_keys.sync(m_form, m_views);
}

void FormWindow::placeAtStart() {
    m_placed = true;
    QRect area;
    const QWidget* owner = m_desktop.windows().mainWindowBesides(this);
    if (m_form.startPosition() == ui::StartPosition::CenterOwner && owner)
        area = owner->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}

QWidget* FormWindow::widgetFor(const std::string& displayName) const {
    for (const auto& view : m_views) {
        if (view->control().displayName() == displayName)
            return view->widget();
    }
    return nullptr;
}

// The picture is drawn one image pixel to one screen pixel from the client area's top-left
// corner and clipped by the window, so only its top-left part as large as the window in
// device pixels is ever seen: only that part is decoded, when it is first drawn, and again
// only when the window grows or moves to a screen of another pixel ratio. The format is
// named, so that no other image plugin is loaded to guess it.
void FormWindow::preparePicture() {
    const qreal ratio = devicePixelRatioF();
    const QSize seen(qCeil(width() * ratio), qCeil(height() * ratio));
    if (!m_picture.isNull() && m_picture.devicePixelRatio() == ratio &&
        m_picture.width() >= seen.width() && m_picture.height() >= seen.height())
        return;
    QImageReader reader(m_pictureFile, "jpg");
    reader.setAutoDetectImageFormat(false);
    const QRect part = QRect(QPoint(0, 0), seen).intersected(QRect(QPoint(0, 0), reader.size()));
    if (part.isEmpty())
        return;
    reader.setClipRect(part);
    m_picture = reader.read();
    m_picture.setDevicePixelRatio(ratio);
}

void FormWindow::paintEvent(QPaintEvent*) {
    if (m_pictureFile.isEmpty())
        return;
    preparePicture();
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_picture);
}

void FormWindow::mouseMoveEvent(QMouseEvent*) {
    raise(ui::UiEvent::form(ui::EventKind::MouseMove));
}

bool FormWindow::takeOuterSize() {
    const QRect frame = frameGeometry();
    const int width = ui::toTwips(frame.width());
    const int height = ui::toTwips(frame.height());
    if (width == m_form.width() && height == m_form.height())
        return false;
    m_form.setOuterSize(width, height);
    return true;
}

void FormWindow::resizeEvent(QResizeEvent*) {
    if (m_detached)
        return;
    takeOuterSize();
    if (m_form.borderStyle() == ui::BorderStyle::SizableToolWindow)
        raise(ui::UiEvent::form(ui::EventKind::Resize));
}

void FormWindow::moveEvent(QMoveEvent*) {
    // A window manager tells its frame only after the window is shown, and then moves the
    // window into it: the outer size changes without a resize.
    if (!m_detached && takeOuterSize() &&
        m_form.borderStyle() == ui::BorderStyle::SizableToolWindow)
        raise(ui::UiEvent::form(ui::EventKind::Resize));
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    if (m_detached || !m_keys.pressButton(*event, m_form))
        QWidget::keyPressEvent(event);
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || m_detached)
        return;
    // The user's change is the form's state now, so that the program sees it and a later
    // change of its own is told apart.
    const Qt::WindowStates state = windowState();
    m_form.userSetWindowState(state.testFlag(Qt::WindowMinimized)   ? ui::WindowState::Minimized
                              : state.testFlag(Qt::WindowMaximized) ? ui::WindowState::Maximized
                                                                    : ui::WindowState::Normal);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (m_detached)
        return event->accept();
    // The form decides: it is unloaded, and whatever its Terminate step does follows.
    event->ignore();
    m_desktop.windows().closeByFrame(m_form);
}

} // namespace discmenu::qt

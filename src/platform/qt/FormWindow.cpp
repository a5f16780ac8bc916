#include "platform/qt/FormWindow.h"

#include "platform/qt/QtDesktop.h"
#include "platform/qt/Widgets.h"
#include "platform/ui/Button.h"
#include "platform/ui/DriveList.h"
#include "platform/ui/FileList.h"
#include "platform/ui/FolderList.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPushButton>
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
    : QWidget(nullptr, flagsFor(form.borderStyle())), m_desktop(desktop), m_form(form) {
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
    hide();
}

void FormWindow::raise(const ui::UiEvent& event) {
    if (!m_detached)
        m_desktop.raise(m_form, event);
}

QWidget* FormWindow::createWidget(ui::Control& control) {
    const std::string name = control.name();
    const int index = control.index();
    Raise raise = [this](const ui::UiEvent& e) { this->raise(e); };
    QWidget* widget = nullptr;
    switch (control.kind()) {
    case ui::ControlKind::Label:
        widget = new LabelWidget(this, raise, name, index);
        break;
    case ui::ControlKind::ListBox: {
        auto* list = static_cast<ui::ListBox*>(&control);
        // The user's selection is written into the data before the list's events run.
        widget = new ListWidget(
            this,
            [this, list](const ui::UiEvent& e) {
                if (auto* w = dynamic_cast<ListWidget*>(m_widgets[list]))
                    list->userSelect(w->currentRow());
                this->raise(e);
            },
            name, index);
        break;
    }
    case ui::ControlKind::Button: {
        auto* button = new QPushButton(this);
        connect(button, &QPushButton::clicked, this,
                [this, name] { this->raise(ui::UiEvent::of(ui::EventKind::Click, name)); });
        widget = button;
        break;
    }
    case ui::ControlKind::TextBox: {
        auto* box = static_cast<ui::TextBox*>(&control);
        widget = new TextWidget(
            this, raise,
            [this, box] {
                if (auto* w = dynamic_cast<TextWidget*>(m_widgets[box]))
                    box->setText(w->text().toStdString());
            },
            [this] { return !m_detached && m_form.takeClickRunOnFocus(); }, name);
        break;
    }
    case ui::ControlKind::FileList: {
        auto* files = static_cast<ui::FileList*>(&control);
        widget = new FileListWidget(
            this, raise,
            [this, files] {
                auto* w = dynamic_cast<FileListWidget*>(m_widgets[files]);
                if (!w)
                    return;
                for (int i = 0; i < w->count(); ++i)
                    files->userSetSelected(i, w->item(i)->isSelected());
                files->userSetCurrent(w->currentRow());
            },
            name);
        break;
    }
    case ui::ControlKind::FolderList: {
        auto* folders = static_cast<ui::FolderList*>(&control);
        widget = new FolderListWidget(this, [this, folders](int row) {
            userAction([folders, row] { folders->userOpen(row); });
        });
        break;
    }
    case ui::ControlKind::DriveList: {
        auto* drives = static_cast<ui::DriveList*>(&control);
        widget = new DriveListWidget(this, [this, drives](const std::string& drive) {
            userAction([drives, drive] { drives->setDrive(drive); });
        });
        break;
    }
    }
    widget->setObjectName(QString::fromStdString(control.displayName()));
    return widget;
}

void FormWindow::userAction(const std::function<void()>& edit) {
    if (!m_detached)
        m_desktop.act(edit);
}

void FormWindow::syncControl(ui::Control& control, QWidget* widget) {
    widget->setGeometry(px(control.left()), px(control.top()), px(control.width()),
                        px(control.height()));
    switch (control.kind()) {
    case ui::ControlKind::Label:
        static_cast<LabelWidget*>(widget)->apply(static_cast<ui::Label&>(control));
        break;
    case ui::ControlKind::ListBox:
        static_cast<ListWidget*>(widget)->setEntries(static_cast<ui::ListBox&>(control));
        break;
    case ui::ControlKind::Button: {
        auto* button = static_cast<QPushButton*>(widget);
        const QString caption = QString::fromStdString(static_cast<ui::Button&>(control).caption());
        if (button->text() != caption)
            button->setText(caption);
        break;
    }
    case ui::ControlKind::TextBox:
        static_cast<TextWidget*>(widget)->setData(static_cast<ui::TextBox&>(control).text());
        break;
    case ui::ControlKind::FileList: {
        auto& files = static_cast<ui::FileList&>(control);
        std::vector<bool> selected;
        for (int i = 0; i < files.listCount(); ++i)
            selected.push_back(files.selected(i));
        static_cast<FileListWidget*>(widget)->setEntries(files.names(), selected);
        break;
    }
    case ui::ControlKind::FolderList: {
        auto& folders = static_cast<ui::FolderList&>(control);
        static_cast<FolderListWidget*>(widget)->setItems(folders.items(), folders.listIndex());
        break;
    }
    case ui::ControlKind::DriveList: {
        auto& drives = static_cast<ui::DriveList&>(control);
        static_cast<DriveListWidget*>(widget)->setDrives(drives.drives(), drives.drive());
        break;
    }
    }
    widget->setVisible(control.visible());
}

void FormWindow::sync() {
    if (m_detached)
        return;
    const QString caption = QString::fromStdString(m_form.caption());
    if (windowTitle() != caption)
        setWindowTitle(caption);
    for (const auto& control : m_form.controls()) {
        QWidget*& widget = m_widgets[control.get()];
        if (!widget)
            widget = createWidget(*control);
        syncControl(*control, widget);
    }
    if (m_form.visible()) {
        if (!m_placed)
            placeAtStart();
        // Only a change the program made: the user's own minimising stays as it is.
        if (m_form.windowState() != m_appliedState) {
            m_appliedState = m_form.windowState();
            setWindowState(m_appliedState == ui::WindowState::Minimized   ? Qt::WindowMinimized
                           : m_appliedState == ui::WindowState::Maximized ? Qt::WindowMaximized
                                                                          : Qt::WindowNoState);
        }
        if (!isVisible())
            show();
        if (m_form.takeBringToFront()) {
            QWidget::raise();
            activateWindow();
        }
    } else if (isVisible()) {
        hide();
    }
}

void FormWindow::placeAtStart() {
    m_placed = true;
    QRect area;
    if (m_form.startPosition() == ui::StartPosition::CenterOwner && m_desktop.ownerWindow(this))
        area = m_desktop.ownerWindow(this)->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}

QWidget* FormWindow::widgetFor(const std::string& displayName) const {
    for (const auto& [control, widget] : m_widgets) {
        if (control->displayName() == displayName)
            return widget;
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

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || m_detached)
        return;
    // The user's change is the form's state now, so that the program sees it and a later
    // change of its own is told apart.
    const Qt::WindowStates state = windowState();
    m_appliedState = state.testFlag(Qt::WindowMinimized)   ? ui::WindowState::Minimized
                     : state.testFlag(Qt::WindowMaximized) ? ui::WindowState::Maximized
                                                           : ui::WindowState::Normal;
    m_form.setWindowState(m_appliedState);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (m_detached)
        return event->accept();
    // The form decides: it is unloaded, and whatever its Terminate step does follows.
    event->ignore();
    m_desktop.closeByFrame(m_form);
}

} // namespace discmenu::qt

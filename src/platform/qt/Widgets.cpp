#include "platform/qt/Widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <utility>

namespace discmenu::qt {

QFont toQFont(const ui::Font& font) {
    QFont f(QString::fromStdString(font.face));
    f.setStyleHint(QFont::SansSerif);
    // Pixel sizes, not points: the heights must be those of 96 dots per inch on every screen.
    f.setPixelSize(font.pixelHeight());
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

QColor toQColor(ui::Color color) {
    return QColor((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

std::unique_ptr<ControlView> makeControlView(QWidget* parent, WidgetHost& host,
                                             ui::Control& control) {
    std::unique_ptr<ControlView> view;
    switch (control.kind()) {
    case ui::ControlKind::Label:
        view = std::make_unique<LabelWidget>(parent, host, static_cast<ui::Label&>(control));
        break;
    case ui::ControlKind::ListBox:
        view = std::make_unique<ListWidget>(parent, host, static_cast<ui::ListBox&>(control));
        break;
    case ui::ControlKind::Button:
        view = std::make_unique<ButtonWidget>(parent, host, static_cast<ui::Button&>(control));
        break;
    case ui::ControlKind::TextBox:
        view = std::make_unique<TextWidget>(parent, host, static_cast<ui::TextBox&>(control));
        break;
    case ui::ControlKind::FileList:
        view = std::make_unique<FileListWidget>(parent, host, static_cast<ui::FileList&>(control));
        break;
    case ui::ControlKind::FolderList:
        view =
            std::make_unique<FolderListWidget>(parent, host, static_cast<ui::FolderList&>(control));
        break;
    case ui::ControlKind::DriveList:
        view =
            std::make_unique<DriveListWidget>(parent, host, static_cast<ui::DriveList&>(control));
        break;
    }
    view->widget()->setObjectName(QString::fromStdString(control.displayName()));
    return view;
}

LabelWidget::LabelWidget(QWidget* parent, WidgetHost& host, const ui::Label& label)
    : QWidget(parent), m_host(host), m_label(label) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_NoSystemBackground);
}

void LabelWidget::sync() {
    const QString text = QString::fromStdString(m_label.caption());
    const QColor color = toQColor(m_label.foreColor());
    const QFont font = toQFont(m_label.font());
    Qt::Alignment alignment = m_label.alignment() == ui::Alignment::Center  ? Qt::AlignHCenter
                              : m_label.alignment() == ui::Alignment::Right ? Qt::AlignRight
                                                                            : Qt::AlignLeft;
    if (text != m_text || color != m_color || font != this->font() || alignment != m_alignment ||
        m_label.transparent() != m_transparent) {
        m_text = text;
        m_color = color;
        m_alignment = alignment;
        m_transparent = m_label.transparent();
        setFont(font);
        update();
    }
}

void LabelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), palette().window());
    painter.setFont(font());
    painter.setPen(m_color);
    painter.drawText(rect(), int(m_alignment | Qt::AlignTop | Qt::TextWordWrap), m_text);
}

void LabelWidget::raise(ui::EventKind kind) {
    m_host.raise(ui::UiEvent::of(kind, m_label.name(), m_label.index()));
}

void LabelWidget::mouseMoveEvent(QMouseEvent*) {
    raise(ui::EventKind::MouseMove);
}

void LabelWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    // The release that ends a double-click is no click of its own: Windows raises one
    // Click and one DblClick for the pair.
    if (std::exchange(m_endsDoubleClick, false))
        return;
    if (rect().contains(event->position().toPoint()))
        raise(ui::EventKind::Click);
}

void LabelWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_endsDoubleClick = true;
    raise(ui::EventKind::DblClick);
}

DriveListWidget::DriveListWidget(QWidget* parent, WidgetHost& host, ui::DriveList& drives)
    : QComboBox(parent), m_drives(drives) {
    connect(this, &QComboBox::activated, this, [this, &host](int index) {
        if (m_syncing)
            return;
        const std::string drive = itemText(index).toStdString();
        host.act([this, drive] { m_drives.setDrive(drive); });
    });
}

void DriveListWidget::sync() {
    m_syncing = true;
    QStringList wanted;
    for (char d : m_drives.drives())
        wanted << QString(QChar(d).toLower()) + ':';
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown << itemText(i);
    if (wanted != shown) {
        clear();
        addItems(wanted);
    }
    setCurrentIndex(static_cast<int>(wanted.indexOf(QString::fromStdString(m_drives.drive()))));
    m_syncing = false;
}

ButtonWidget::ButtonWidget(QWidget* parent, WidgetHost& host, const ui::Button& button)
    : QPushButton(parent), m_button(button) {
    connect(this, &QPushButton::clicked, this, [this, &host] {
        host.raise(ui::UiEvent::of(ui::EventKind::Click, m_button.name(), m_button.index()));
    });
}

void ButtonWidget::sync() {
    const QString caption = QString::fromStdString(m_button.caption());
    if (text() != caption)
        setText(caption);
}

namespace {

// Keeps the mouse press now being delivered from a widget; gone once the press is over.
class PressKeeper : public QObject {
public:
    explicit PressKeeper(QWidget* widget) : QObject(widget) {
        widget->installEventFilter(this);
        QTimer::singleShot(0, this, [this] { deleteLater(); });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonDblClick)
            return false;
        deleteLater();
        return true;
    }
};

} // namespace

TextWidget::TextWidget(QWidget* parent, WidgetHost& host, ui::TextBox& box)
    : QLineEdit(parent), m_host(host), m_box(box) {
    connect(this, &QLineEdit::returnPressed, this, [this] {
        ui::UiEvent event = ui::UiEvent::of(ui::EventKind::KeyPress, m_box.name());
        event.key = ui::TextBox::KeyEnter;
        m_host.raise(event, [this] { m_box.setText(text().toStdString()); });
    });
}

void TextWidget::sync() {
    const QString t = QString::fromStdString(m_box.text());
    if (text() != t)
        setText(t);
}

void TextWidget::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Only a move of the focus to another control of the same window counts: not another
    // window coming up (a message box), nor the window going away.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason ||
        !isVisible() || !window()->isVisible())
        return;
    // The focus is already where a press put it.
    QPointer<QWidget> next =
        event->reason() == Qt::MouseFocusReason ? QApplication::focusWidget() : nullptr;
    const bool toButton =
        next && next->window() == window() && qobject_cast<QAbstractButton*>(next);
    if (m_host.lostFocus(m_box, text().toStdString(),
                         toButton ? next->objectName().toStdString() : std::string()) &&
        next)
        new PressKeeper(next);
}

} // namespace discmenu::qt

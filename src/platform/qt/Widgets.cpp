#include "platform/qt/Widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionFocusRect>
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

namespace {

template <class W, class C>
std::unique_ptr<ControlView> make(QWidget* parent, WidgetHost& host, ui::Control& control) {
    return std::make_unique<W>(parent, host, static_cast<C&>(control));
}

using Maker = std::unique_ptr<ControlView> (*)(QWidget*, WidgetHost&, ui::Control&);
// By ControlKind, in its order.
constexpr Maker makers[] = {
    make<LabelWidget, ui::Label>,        make<ListWidget, ui::ListBox>,
    make<ButtonWidget, ui::Button>,      make<TextWidget, ui::TextBox>,
    make<FileListWidget, ui::FileList>,  make<FolderListWidget, ui::FolderList>,
    make<DriveListWidget, ui::DriveList>};

} // namespace

std::unique_ptr<ControlView> makeControlView(QWidget* parent, WidgetHost& host,
                                             ui::Control& control) {
    auto view = makers[static_cast<std::size_t>(control.kind())](parent, host, control);
    view->widget()->setObjectName(QString::fromStdString(control.displayName()));
    return view;
}

LabelWidget::LabelWidget(QWidget* parent, WidgetHost& host, const ui::Label& label)
    : ViewOf(parent, host, label) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_NoSystemBackground);
}

void LabelWidget::sync() {
    const QString text = QString::fromStdString(m_control.caption());
    const QColor color = toQColor(m_control.foreColor());
    const QFont font = toQFont(m_control.font());
    Qt::Alignment alignment = m_control.alignment() == ui::Alignment::Center  ? Qt::AlignHCenter
                              : m_control.alignment() == ui::Alignment::Right ? Qt::AlignRight
                                                                              : Qt::AlignLeft;
    if (text != m_text || color != m_color || font != this->font() || alignment != m_alignment ||
        m_control.transparent() != m_transparent) {
        m_text = text;
        m_color = color;
        m_alignment = alignment;
        m_transparent = m_control.transparent();
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
    const int flags = int(m_alignment | Qt::AlignTop | Qt::TextWordWrap);
    painter.drawText(rect(), flags, m_text);
    if (m_keyFocus && hasFocus()) {
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.state |= QStyle::State_KeyboardFocusChange;
        // In the text's colour: the style's own would hardly show on the picture's blue.
        frame.palette.setColor(QPalette::Highlight, m_color);
        frame.backgroundColor = m_color;
        frame.rect = painter.boundingRect(rect(), flags, m_text).intersected(rect());
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
}

void LabelWidget::press() {
    ui::UiEvent click = ui::UiEvent::of(ui::EventKind::Click, m_control.name(), m_control.index());
    click.byKeyboard = true;
    m_host.raise(click);
}

void LabelWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space)
        press();
    else
        QWidget::keyPressEvent(event);
}

void LabelWidget::focusInEvent(QFocusEvent* event) {
    m_keyFocus = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
}

void LabelWidget::focusOutEvent(QFocusEvent*) {
    m_keyFocus = false;
    update();
}

void LabelWidget::raise(ui::EventKind kind) {
    m_host.raise(ui::UiEvent::of(kind, m_control.name(), m_control.index()));
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
    : ViewOf(parent, host, drives) {
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (m_syncing)
            return;
        const std::string drive = itemText(index).toStdString();
        m_host.act([this, drive] { m_control.setDrive(drive); });
    });
}

void DriveListWidget::sync() {
    m_syncing = true;
    QStringList wanted;
    for (char d : m_control.drives())
        wanted << QString(QChar(d).toLower()) + ':';
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown << itemText(i);
    if (wanted != shown) {
        clear();
        addItems(wanted);
    }
    setCurrentIndex(static_cast<int>(wanted.indexOf(QString::fromStdString(m_control.drive()))));
    m_syncing = false;
}

ButtonWidget::ButtonWidget(QWidget* parent, WidgetHost& host, const ui::Button& button)
    : ViewOf(parent, host, button) {
    connect(this, &QPushButton::clicked, this, [this] {
        m_host.raise(ui::UiEvent::of(ui::EventKind::Click, m_control.name(), m_control.index()));
    });
}

void ButtonWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        click();
    else
        QPushButton::keyPressEvent(event);
}

void ButtonWidget::sync() {
    const QString caption = QString::fromStdString(m_control.caption());
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
    : ViewOf(parent, host, box) {
    connect(this, &QLineEdit::returnPressed, this, [this] {
        ui::UiEvent event = ui::UiEvent::of(ui::EventKind::KeyPress, m_control.name());
        event.key = ui::TextBox::KeyEnter;
        m_host.raise(event, [this] { m_control.setText(text().toStdString()); });
    });
}

void TextWidget::sync() {
    const QString t = QString::fromStdString(m_control.text());
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
    if (m_host.lostFocus(m_control, text().toStdString(),
                         toButton ? next->objectName().toStdString() : std::string()) &&
        next)
        new PressKeeper(next);
}

} // namespace discmenu::qt

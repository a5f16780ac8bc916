#include "platform/qt/Widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <utility>

namespace discmenu::qt {

namespace {

// Rows of 13 pixels, the height of the classic list font's lines.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(13);
        return size;
    }
};

// The classic list look: the small list font in rows of 13 pixels.
void classicRows(QListWidget* list) {
    list->setItemDelegate(new RowDelegate(list));
    list->setUniformItemSizes(true);
    QFont f = list->font();
    f.setPixelSize(11);
    list->setFont(f);
}

QStringList toQStrings(const std::vector<std::string>& texts) {
    QStringList out;
    for (const std::string& t : texts)
        out << QString::fromStdString(t);
    return out;
}

// Rebuilds a list's rows when their texts differ from the wanted ones, and only then, so
// that a sync keeps the user's scroll position; true when it rebuilt them.
bool showRows(QListWidget* list, const QStringList& wanted) {
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    if (shown == wanted)
        return false;
    list->clear();
    list->addItems(wanted);
    return true;
}

} // namespace

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

LabelWidget::LabelWidget(QWidget* parent, Raise raise, std::string name, int index)
    : QWidget(parent), m_raise(std::move(raise)), m_name(std::move(name)), m_index(index) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_NoSystemBackground);
}

void LabelWidget::apply(const ui::Label& label) {
    const QString text = QString::fromStdString(label.caption());
    const QColor color = toQColor(label.foreColor());
    const QFont font = toQFont(label.font());
    Qt::Alignment alignment = label.alignment() == ui::Alignment::Center  ? Qt::AlignHCenter
                              : label.alignment() == ui::Alignment::Right ? Qt::AlignRight
                                                                          : Qt::AlignLeft;
    if (text != m_text || color != m_color || font != this->font() || alignment != m_alignment ||
        label.transparent() != m_transparent) {
        m_text = text;
        m_color = color;
        m_alignment = alignment;
        m_transparent = label.transparent();
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

void LabelWidget::mouseMoveEvent(QMouseEvent*) {
    m_raise(ui::UiEvent::of(ui::EventKind::MouseMove, m_name, m_index));
}

void LabelWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    // The release that ends a double-click is no click of its own: Windows raises one
    // Click and one DblClick for the pair.
    if (std::exchange(m_endsDoubleClick, false))
        return;
    if (rect().contains(event->position().toPoint()))
        m_raise(ui::UiEvent::of(ui::EventKind::Click, m_name, m_index));
}

void LabelWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_endsDoubleClick = true;
    m_raise(ui::UiEvent::of(ui::EventKind::DblClick, m_name, m_index));
}

ListWidget::ListWidget(QWidget* parent, Raise raise, std::string name, int index)
    : QListWidget(parent), m_raise(std::move(raise)), m_name(std::move(name)), m_index(index) {
    classicRows(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_syncing || row < 0)
            return;
        m_raise(ui::UiEvent::of(ui::EventKind::Click, m_name, m_index));
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) {
        m_raise(ui::UiEvent::of(ui::EventKind::DblClick, m_name, m_index));
    });
}

void ListWidget::setEntries(const ui::ListBox& list) {
    m_syncing = true;
    if (m_shown != list.revision()) {
        auto added = m_shown ? list.insertionsSince(*m_shown) : std::nullopt;
        if (added) {
            for (const ui::ListInsertion& i : *added)
                insertItem(i.at, QString::fromStdString(i.entry));
        }
        if (!added || count() != list.listCount())
            showRows(this, toQStrings(list.entries()));
        m_shown = list.revision();
    }
    if (currentRow() != list.listIndex())
        setCurrentRow(list.listIndex());
    m_syncing = false;
}

bool ListWidget::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::MouseMove)
        m_raise(ui::UiEvent::of(ui::EventKind::MouseMove, m_name, m_index));
    return QListWidget::viewportEvent(event);
}

FileListWidget::FileListWidget(QWidget* parent, Raise raise, std::function<void()> capture,
                               std::string name)
    : QListWidget(parent), m_raise(std::move(raise)), m_capture(std::move(capture)),
      m_name(std::move(name)) {
    classicRows(this);
    setSelectionMode(QAbstractItemView::MultiSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_syncing)
            m_capture();
    });
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem*) {
        m_capture();
        m_raise(ui::UiEvent::of(ui::EventKind::Click, m_name));
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) {
        m_capture();
        m_raise(ui::UiEvent::of(ui::EventKind::DblClick, m_name));
    });
}

void FileListWidget::setEntries(const std::vector<std::string>& names,
                                const std::vector<bool>& selected) {
    m_syncing = true;
    showRows(this, toQStrings(names));
    for (int i = 0; i < count() && i < static_cast<int>(selected.size()); ++i)
        item(i)->setSelected(selected[static_cast<std::size_t>(i)]);
    m_syncing = false;
}

FolderListWidget::FolderListWidget(QWidget* parent, std::function<void(int)> open)
    : QListWidget(parent) {
    classicRows(this);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this, open](QListWidgetItem* item) { open(row(item)); });
}

void FolderListWidget::setItems(const std::vector<ui::FolderItem>& items, int current) {
    QStringList wanted;
    for (const ui::FolderItem& i : items)
        wanted << QString(i.depth * 2, ' ') + QString::fromStdString(i.name);
    if (showRows(this, wanted)) {
        for (std::size_t i = 0; i < items.size(); ++i)
            item(static_cast<int>(i))
                ->setIcon(style()->standardIcon(items[i].open ? QStyle::SP_DirOpenIcon
                                                              : QStyle::SP_DirClosedIcon));
    }
    setCurrentRow(current);
}

DriveListWidget::DriveListWidget(QWidget* parent, std::function<void(const std::string&)> choose)
    : QComboBox(parent) {
    connect(this, &QComboBox::activated, this, [this, choose](int index) {
        if (!m_syncing)
            choose(itemText(index).toStdString());
    });
}

void DriveListWidget::setDrives(const std::vector<char>& drives, const std::string& drive) {
    m_syncing = true;
    QStringList wanted;
    for (char d : drives)
        wanted << QString(QChar(d).toLower()) + ':';
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown << itemText(i);
    if (wanted != shown) {
        clear();
        addItems(wanted);
    }
    setCurrentIndex(static_cast<int>(wanted.indexOf(QString::fromStdString(drive))));
    m_syncing = false;
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

void keepPressFrom(QWidget* widget) {
    new PressKeeper(widget);
}

} // namespace

TextWidget::TextWidget(QWidget* parent, Raise raise, std::function<void()> capture,
                       std::function<bool()> takeClickRun, std::string name)
    : QLineEdit(parent), m_raise(std::move(raise)), m_capture(std::move(capture)),
      m_takeClickRun(std::move(takeClickRun)), m_name(std::move(name)) {
    connect(this, &QLineEdit::returnPressed, this, [this] {
        m_capture();
        ui::UiEvent event = ui::UiEvent::of(ui::EventKind::KeyPress, m_name);
        event.key = 13;
        m_raise(event);
    });
}

void TextWidget::setData(const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (this->text() != t)
        setText(t);
}

void TextWidget::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Only a move of the focus to another control of the same window counts: not another
    // window coming up (a message box), nor the window going away.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason ||
        !isVisible() || !window()->isVisible())
        return;
    ui::UiEvent lost = ui::UiEvent::of(ui::EventKind::LostFocus, m_name);
    // The focus is already where the press put it.
    QPointer<QWidget> next =
        event->reason() == Qt::MouseFocusReason ? QApplication::focusWidget() : nullptr;
    if (next && next->window() == window() && qobject_cast<QAbstractButton*>(next))
        lost.focusTo = next->objectName().toStdString();
    m_capture();
    m_raise(lost);
    if (next && !lost.focusTo.empty() && m_takeClickRun())
        keepPressFrom(next);
}

} // namespace discmenu::qt

#include "platform/qt/Widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

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
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        m_raise(ui::UiEvent::of(ui::EventKind::Click, m_name, m_index));
}

void LabelWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_raise(ui::UiEvent::of(ui::EventKind::DblClick, m_name, m_index));
}

ListWidget::ListWidget(QWidget* parent, Raise raise, std::string name, int index)
    : QListWidget(parent), m_raise(std::move(raise)), m_name(std::move(name)), m_index(index) {
    setItemDelegate(new RowDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_syncing || row < 0)
            return;
        m_raise(ui::UiEvent::of(ui::EventKind::Click, m_name, m_index));
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) {
        m_raise(ui::UiEvent::of(ui::EventKind::DblClick, m_name, m_index));
    });
}

void ListWidget::setEntries(const std::vector<std::string>& entries, int selected) {
    m_syncing = true;
    bool same = count() == static_cast<int>(entries.size());
    for (int i = 0; same && i < count(); ++i)
        same = item(i)->text() == QString::fromStdString(entries[static_cast<std::size_t>(i)]);
    if (!same) {
        clear();
        for (const std::string& e : entries)
            addItem(QString::fromStdString(e));
    }
    if (currentRow() != selected)
        setCurrentRow(selected);
    m_syncing = false;
}

bool ListWidget::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::MouseMove)
        m_raise(ui::UiEvent::of(ui::EventKind::MouseMove, m_name, m_index));
    return QListWidget::viewportEvent(event);
}

} // namespace discmenu::qt

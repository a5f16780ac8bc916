// The list kinds of widgets: the job list, the file list and the folder list.

#include "platform/qt/Widgets.h"
#include "platform/ui/Look.h"

#include <QEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace discmenu::qt {

namespace {

// Rows as high as the classic list font's lines.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(ui::look::ListRowPixels);
        return size;
    }
};

// The classic list look: the small list font in rows of its height.
void classicRows(QListWidget* list) {
    list->setItemDelegate(new RowDelegate(list));
    list->setUniformItemSizes(true);
    QFont f = list->font();
    f.setPixelSize(ui::look::ListFontPixels);
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

ui::UiEvent eventOf(ui::EventKind kind, const ui::Control& c) {
    return ui::UiEvent::of(kind, c.name(), c.index());
}

bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

ListWidget::ListWidget(QWidget* parent, WidgetHost& host, ui::ListBox& list)
    : ViewOf(parent, host, list) {
    classicRows(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_syncing || row < 0)
            return;
        m_host.raise(eventOf(ui::EventKind::Click, m_control),
                     [this, row] { m_control.userSelect(row); });
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) {
        m_host.raise(eventOf(ui::EventKind::DblClick, m_control));
    });
}

void ListWidget::sync() {
    m_syncing = true;
    if (m_shown != m_control.revision()) {
        auto added = m_shown ? m_control.insertionsSince(*m_shown) : std::nullopt;
        if (added) {
            for (const ui::ListInsertion& i : *added)
                insertItem(i.at, QString::fromStdString(i.entry));
        }
        if (!added || count() != m_control.listCount())
            showRows(this, toQStrings(m_control.entries()));
        m_shown = m_control.revision();
    }
    if (currentRow() != m_control.listIndex())
        setCurrentRow(m_control.listIndex());
    m_syncing = false;
}

void ListWidget::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event) && currentRow() >= 0)
        m_host.raise(eventOf(ui::EventKind::DblClick, m_control));
    else
        QListWidget::keyPressEvent(event);
}

bool ListWidget::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::MouseMove)
        m_host.raise(eventOf(ui::EventKind::MouseMove, m_control));
    return QListWidget::viewportEvent(event);
}

FileListWidget::FileListWidget(QWidget* parent, WidgetHost& host, ui::FileList& files)
    : ViewOf(parent, host, files) {
    classicRows(this);
    setSelectionMode(QAbstractItemView::MultiSelection);
    // A selection changed by the keyboard is the data's at once, as a click's is.
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_syncing)
            m_host.act([this] { capture(); });
    });
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem*) { raiseCaptured(ui::EventKind::Click); });
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem*) { raiseCaptured(ui::EventKind::DblClick); });
}

void FileListWidget::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event) && currentRow() >= 0)
        raiseCaptured(ui::EventKind::DblClick);
    else
        QListWidget::keyPressEvent(event);
}

void FileListWidget::capture() {
    for (int i = 0; i < count(); ++i)
        m_control.userSetSelected(i, item(i)->isSelected());
    m_control.userSetCurrent(currentRow());
}

void FileListWidget::raiseCaptured(ui::EventKind kind) {
    m_host.raise(eventOf(kind, m_control), [this] { capture(); });
}

void FileListWidget::sync() {
    m_syncing = true;
    showRows(this, toQStrings(m_control.names()));
    const std::vector<bool>& selected = m_control.selection();
    for (int i = 0; i < count() && i < static_cast<int>(selected.size()); ++i)
        item(i)->setSelected(selected[static_cast<std::size_t>(i)]);
    m_syncing = false;
}

FolderListWidget::FolderListWidget(QWidget* parent, WidgetHost& host, ui::FolderList& folders)
    : ViewOf(parent, host, folders) {
    classicRows(this);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { open(row(item)); });
}

void FolderListWidget::open(int row) {
    m_host.act([this, row] { m_control.userOpen(row); });
}

void FolderListWidget::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event) && currentRow() >= 0)
        open(currentRow());
    else
        QListWidget::keyPressEvent(event);
}

void FolderListWidget::sync() {
    const std::vector<ui::FolderItem>& items = m_control.items();
    QStringList wanted;
    for (const ui::FolderItem& i : items)
        wanted << QString(i.depth * 2, ' ') + QString::fromStdString(i.name);
    if (showRows(this, wanted)) {
        for (std::size_t i = 0; i < items.size(); ++i)
            item(static_cast<int>(i))
                ->setIcon(style()->standardIcon(items[i].open ? QStyle::SP_DirOpenIcon
                                                              : QStyle::SP_DirClosedIcon));
    }
    setCurrentRow(m_control.listIndex());
}

} // namespace discmenu::qt

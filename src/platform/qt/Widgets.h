#pragma once

#include "platform/ui/FolderList.h"
#include "platform/ui/Font.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/UiEvent.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>
#include <functional>
#include <optional>

namespace discmenu::qt {

// Delivers an event of one control to its form.
using Raise = std::function<void(const ui::UiEvent&)>;

QFont toQFont(const ui::Font& font);
QColor toQColor(ui::Color color);

// A label as the discs' windows draw it: its text at the top of a fixed box, wrapped at
// word boundaries and cut at the box's edges, over whatever lies behind it when it is
// transparent. It takes no focus and tells the form of clicks and mouse movement.
class LabelWidget : public QWidget {
public:
    LabelWidget(QWidget* parent, Raise raise, std::string name, int index);

    void apply(const ui::Label& label);
    QString text() const { return m_text; }
    QColor textColor() const { return m_color; }
    Qt::Alignment textAlignment() const { return m_alignment; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    Raise m_raise;
    std::string m_name;
    int m_index;
    QString m_text;
    QColor m_color;
    QColor m_back;
    bool m_transparent = true;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_endsDoubleClick = false; // the next release ends a double-click
};

// A list box whose rows are as high as the discs' windows draw them.
class ListWidget : public QListWidget {
public:
    ListWidget(QWidget* parent, Raise raise, std::string name, int index);

    // Brings entries and selection in line with the data without raising anything, at
    // the cost of what changed since the last time.
    void setEntries(const ui::ListBox& list);

protected:
    bool viewportEvent(QEvent* event) override;

private:
    Raise m_raise;
    std::string m_name;
    int m_index;
    bool m_syncing = false;
    // The revision of the entries the rows show; none before the first sync.
    std::optional<std::uint64_t> m_shown;
};

// A list of files in which a click toggles an entry's selection.
class FileListWidget : public QListWidget {
public:
    FileListWidget(QWidget* parent, Raise raise, std::function<void()> capture, std::string name);
    void setEntries(const std::vector<std::string>& names, const std::vector<bool>& selected);

private:
    Raise m_raise;
    std::function<void()> m_capture;
    std::string m_name;
    bool m_syncing = false;
};

// A folder tree: the current folder's ancestors, the current folder, its subfolders.
// A double-click opens a folder.
class FolderListWidget : public QListWidget {
public:
    FolderListWidget(QWidget* parent, std::function<void(int)> open);
    void setItems(const std::vector<ui::FolderItem>& items, int current);
};

// A drop-down of the machine's drives.
class DriveListWidget : public QComboBox {
public:
    DriveListWidget(QWidget* parent, std::function<void(const std::string&)> choose);
    void setDrives(const std::vector<char>& drives, const std::string& drive);

private:
    bool m_syncing = false;
};

// A single-line text box that tells of Enter and of losing the focus, after writing what
// was typed into the data.
//
// A mouse press on a button of the same window that takes the focus is named in the
// LostFocus; when the form then says it ran that button's click itself (its message box
// took the press's release), the press is kept from the button, so no second click follows.
class TextWidget : public QLineEdit {
public:
    TextWidget(QWidget* parent, Raise raise, std::function<void()> capture,
               std::function<bool()> takeClickRun, std::string name);
    void setData(const std::string& text);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    Raise m_raise;
    std::function<void()> m_capture;
    std::function<bool()> m_takeClickRun;
    std::string m_name;
};

} // namespace discmenu::qt

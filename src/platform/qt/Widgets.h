#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/DriveList.h"
#include "platform/ui/FileList.h"
#include "platform/ui/FolderList.h"
#include "platform/ui/Font.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/UiEvent.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

namespace discmenu::qt {

QFont toQFont(const ui::Font& font);
QColor toQColor(ui::Color color);

// What a control's widget needs of the window that holds it.
class WidgetHost {
public:
    virtual ~WidgetHost() = default;
    // A user's event of the control, after the user's own edit of its data (a row chosen)
    // is written; the widget and its form may be gone afterwards.
    virtual void raise(const ui::UiEvent& event, const std::function<void()>& userEdit = {}) = 0;
    // A user's edit that the data carries out itself (a folder opened, a drive chosen).
    virtual void act(const std::function<void()>& edit) = 0;
    // A text box lost the focus to pressed (a button's name, or empty): true when that
    // button's press must be kept from it, its click having been run already.
    virtual bool lostFocus(ui::TextBox& box, std::string typed, const std::string& pressed) = 0;
};

// A widget that draws one control: it brings itself in line with the control's data, and
// writes the user's own edits into the data before it raises the control's events.
class ControlView {
public:
    virtual ~ControlView() = default;
    virtual QWidget* widget() = 0;
    virtual const ui::Control& control() const = 0;
    // Content as the data has them (place and visibility are the window's part).
    virtual void sync() = 0;
};

// A widget of kind W drawing a control of kind C.
template <class W, class C> class ViewOf : public W, public ControlView {
public:
    ViewOf(QWidget* parent, WidgetHost& host, C& control)
        : W(parent), m_host(host), m_control(control) {}
    QWidget* widget() override { return this; }
    const ui::Control& control() const override { return m_control; }

protected:
    WidgetHost& m_host;
    C& m_control;
};

// The widget of any control, made as a child of parent.
std::unique_ptr<ControlView> makeControlView(QWidget* parent, WidgetHost& host,
                                             ui::Control& control);

// A label as the discs' windows draw it: its text at the top of a fixed box, wrapped at
// word boundaries and cut at the box's edges, over whatever lies behind it when it is
// transparent. It tells the form of clicks and mouse movement. A label that is a tab stop
// takes the focus from the keyboard only, shows it with the style's focus frame, and
// takes Enter and Space as its click.
class LabelWidget : public ViewOf<QWidget, const ui::Label> {
public:
    LabelWidget(QWidget* parent, WidgetHost& host, const ui::Label& label);
    void sync() override;
    QString text() const { return m_text; }
    QColor textColor() const { return m_color; }
    Qt::Alignment textAlignment() const { return m_alignment; }
    // The click of Enter, Space or a screen reader's default action.
    void press();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;

private:
    void raise(ui::EventKind kind);

    QString m_text;
    QColor m_color;
    bool m_transparent = true;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_endsDoubleClick = false; // the next release ends a double-click
    bool m_keyFocus = false;        // the keyboard gave it the focus
};

// The job list: rows as high as the discs' windows draw them, one row chosen.
class ListWidget : public ViewOf<QListWidget, ui::ListBox> {
public:
    ListWidget(QWidget* parent, WidgetHost& host, ui::ListBox& list);
    // Entries and selection as the data has them, without raising anything, at the cost of
    // what changed since the last time.
    void sync() override;

protected:
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_syncing = false;
    // The revision of the entries the rows show; none before the first sync.
    std::optional<std::uint64_t> m_shown;
};

// A list of files in which a click toggles an entry's selection. In each list Enter is
// the double-click of the current row.
class FileListWidget : public ViewOf<QListWidget, ui::FileList> {
public:
    FileListWidget(QWidget* parent, WidgetHost& host, ui::FileList& files);
    void sync() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The user's selection and current row, into the data.
    void capture();
    void raiseCaptured(ui::EventKind kind);

    bool m_syncing = false;
};

// A folder tree: the current folder's ancestors, the current folder, its subfolders.
// A double-click or Enter opens a folder.
class FolderListWidget : public ViewOf<QListWidget, ui::FolderList> {
public:
    FolderListWidget(QWidget* parent, WidgetHost& host, ui::FolderList& folders);
    void sync() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void open(int row);
};

// A drop-down of the machine's drives.
class DriveListWidget : public ViewOf<QComboBox, ui::DriveList> {
public:
    DriveListWidget(QWidget* parent, WidgetHost& host, ui::DriveList& drives);
    void sync() override;

private:
    bool m_syncing = false;
};

// A push button; Enter presses it as Space does.
class ButtonWidget : public ViewOf<QPushButton, const ui::Button> {
public:
    ButtonWidget(QWidget* parent, WidgetHost& host, const ui::Button& button);
    void sync() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A single-line text box that tells of Enter and of losing the focus, after writing what
// was typed into the data.
//
// A mouse press on a button of the same window that takes the focus is named in the
// LostFocus; when the form then says it ran that button's click itself (its message box
// took the press's release), the press is kept from the button, so no second click follows.
class TextWidget : public ViewOf<QLineEdit, ui::TextBox> {
public:
    TextWidget(QWidget* parent, WidgetHost& host, ui::TextBox& box);
    void sync() override;

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace discmenu::qt

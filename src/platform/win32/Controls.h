#pragma once

#include "platform/win32/Shell.h"
#include "platform/win32/Wnd.h"

#include <functional>
#include <string>
#include <vector>

namespace discmenu::win32 {

// The native controls a form is drawn with, one small class each, made from a plain
// struct of arguments. Their notifications (a selection, a double-click, a button press)
// reach the form window as WM_COMMAND; what the parent cannot see (the pointer moving over
// a list, Enter and the focus leaving a text box) they tell through callbacks.

struct ListArgs {
    HWND parent = nullptr;
    int id = 0;
    RECT box{}; // in the parent's client area
    bool multiSelection =
        false;               // several rows at once, a click toggling one, as a file list offers
    bool folderRows = false; // rows indented under folder icons
    Shell* shell = nullptr;  // the icons; none drawn without it
};

// A list box.
class ListCtrl : public Wnd {
public:
    struct Row {
        std::wstring text;
        int depth = 0;
        bool open = false;
        bool operator==(const Row&) const = default;
    };

    explicit ListCtrl(const ListArgs& args);

    // Rebuilds the rows only when they differ, so that a sync keeps the scroll position.
    void setRows(const std::vector<Row>& rows);
    void setCurrent(int row);
    void setSelection(const std::vector<bool>& selected);
    int current() const;
    bool isSelected(int row) const;
    int caret() const;
    int count() const;

    void drawItem(const DRAWITEMSTRUCT& item) const;
    void setRowHeight(int pixels);

    std::function<void()> onMouseMove;

protected:
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    Shell* m_shell;
    bool m_folders;
    std::vector<Row> m_rows;
};

struct ButtonArgs {
    HWND parent = nullptr;
    int id = 0;
    RECT box{}; // in the parent's client area
};

// A push button.
class ButtonCtrl : public Wnd {
public:
    explicit ButtonCtrl(const ButtonArgs& args);
    void setCaption(const std::wstring& caption);
};

struct EditArgs {
    HWND parent = nullptr;
    int id = 0;
    RECT box{}; // in the parent's client area
};

// A single-line text box that tells of Enter and of the focus moving to another control of
// the same window (not of another window coming up, such as a message box).
class EditCtrl : public Wnd {
public:
    explicit EditCtrl(const EditArgs& args);
    std::wstring text() const;
    void setText(const std::wstring& text);

    std::function<void()> onEnter;
    // Told the window the focus moved to.
    std::function<void(HWND)> onLostFocus;

protected:
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

struct DriveArgs {
    HWND parent = nullptr;
    int id = 0;
    RECT box{};             // in the parent's client area
    Shell* shell = nullptr; // the icons; none drawn without it
};

// A drop-down of the machine's drives, each shown as Windows shows it ("c: [SYSTEM]")
// beside its drive icon.
class DriveCombo : public Wnd {
public:
    explicit DriveCombo(const DriveArgs& args);
    // letters: upper case; current: "c:" or empty.
    void setDrives(const std::vector<char>& letters, const std::string& current);
    // The letter of the chosen row, lower case with its colon ("d:").
    std::string chosen() const;
    void drawItem(const DRAWITEMSTRUCT& item) const;

private:
    Shell* m_shell;
    std::vector<char> m_letters;
    std::vector<std::wstring> m_texts;
};

} // namespace discmenu::win32

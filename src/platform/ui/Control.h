#pragma once

#include <string>

namespace discmenu::ui {

class Form;

enum class ControlKind { Label, ListBox, Button, TextBox, FileList, FolderList, DriveList };

// A control as plain data: what the program sets, and what the toolkit adapter draws.
// Geometry is in twips, relative to the form's client area.
class Control {
public:
    Control(ControlKind kind, std::string name, int index = -1)
        : m_kind(kind), m_name(std::move(name)), m_index(index),
          m_tabStop(kind != ControlKind::Label) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return m_kind; }
    const std::string& name() const { return m_name; }
    // The element's index in its control array; -1 for a single control.
    int index() const { return m_index; }
    // "lblMain(2)" for an array element, the plain name otherwise.
    std::string displayName() const {
        return m_index < 0 ? m_name : m_name + "(" + std::to_string(m_index) + ")";
    }

    int left() const { return m_left; }
    int top() const { return m_top; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    void setLeft(int v) { m_left = v; }
    void setTop(int v) { m_top = v; }
    void setWidth(int v) { m_width = v; }
    void setHeight(int v) { m_height = v; }
    void setGeometry(int left, int top, int width, int height) {
        m_left = left;
        m_top = top;
        m_width = width;
        m_height = height;
    }

    bool visible() const { return m_visible; }
    void setVisible(bool v) { m_visible = v; }

    // The keyboard and screen readers. Tab visits a form's stops by their tab index (ties in
    // creation order); every control is a stop but a label, unless it is made one. A screen
    // reader reads the accessible name, or where it is empty the caption.
    int tabIndex() const { return m_tabIndex; }
    void setTabIndex(int i) { m_tabIndex = i; }
    bool tabStop() const { return m_tabStop; }
    void setTabStop(bool on) { m_tabStop = on; }
    const std::string& accessibleName() const { return m_accessibleName; }
    void setAccessibleName(std::string name) { m_accessibleName = std::move(name); }
    virtual std::string spokenName() const { return m_accessibleName; }

    Form* form() const { return m_form; }

private:
    friend class Form;
    ControlKind m_kind;
    std::string m_name;
    int m_index;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_visible = true;
    int m_tabIndex = -1; // -1: its place in the form, given when it is added
    bool m_tabStop = true;
    std::string m_accessibleName;
    Form* m_form = nullptr;
};

} // namespace discmenu::ui

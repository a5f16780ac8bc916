#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/Font.h"

namespace discmenu::ui {

enum class Alignment { Left, Center, Right };

// A text label of fixed size: text wider than the label wraps at word boundaries, and
// whatever falls below its bottom edge is cut off. The mouse never gives it the focus; the
// keyboard does where it is a tab stop.
class Label : public Control {
public:
    explicit Label(std::string name, int index = -1)
        : Control(ControlKind::Label, std::move(name), index) {}

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string c) { m_caption = std::move(c); }
    std::string spokenName() const override {
        return accessibleName().empty() ? m_caption : accessibleName();
    }
    const Font& font() const { return m_font; }
    Font& font() { return m_font; }
    void setFont(Font f) { m_font = std::move(f); }
    Color foreColor() const { return m_foreColor; }
    void setForeColor(Color c) { m_foreColor = c; }
    bool transparent() const { return m_transparent; }
    void setTransparent(bool t) { m_transparent = t; }
    Alignment alignment() const { return m_alignment; }
    void setAlignment(Alignment a) { m_alignment = a; }

    // Copies everything but name, index and place: a new element of a control array
    // starts as a copy of another element.
    void copyLookFrom(const Label& other) {
        m_caption = other.m_caption;
        m_font = other.m_font;
        m_foreColor = other.m_foreColor;
        m_transparent = other.m_transparent;
        m_alignment = other.m_alignment;
        setGeometry(other.left(), other.top(), other.width(), other.height());
    }

private:
    std::string m_caption;
    Font m_font;
    Color m_foreColor = Black;
    bool m_transparent = false;
    Alignment m_alignment = Alignment::Left;
};

} // namespace discmenu::ui

#pragma once

#include "platform/ui/Control.h"

namespace discmenu::ui {

// A single-line text box. The adapter writes what the user types into the data before it
// raises the box's KeyPress (Enter) and LostFocus events.
class TextBox : public Control {
public:
    static constexpr int KeyEnter = 13;

    explicit TextBox(std::string name, int index = -1)
        : Control(ControlKind::TextBox, std::move(name), index) {}

    const std::string& text() const { return m_text; }
    void setText(std::string t) { m_text = std::move(t); }

private:
    std::string m_text;
};

} // namespace discmenu::ui

#pragma once

#include "platform/ui/Control.h"

namespace discmenu::ui {

// A push button; it tells its form of clicks.
class Button : public Control {
public:
    explicit Button(std::string name, int index = -1)
        : Control(ControlKind::Button, std::move(name), index) {}

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string c) { m_caption = std::move(c); }
    std::string spokenName() const override {
        return accessibleName().empty() ? m_caption : accessibleName();
    }
    // Enter presses the default button, Escape the cancel button, wherever the focus is in
    // the form (but in a control that takes the key itself).
    bool isDefault() const { return m_default; }
    void setDefault(bool on) { m_default = on; }
    bool isCancel() const { return m_cancel; }
    void setCancel(bool on) { m_cancel = on; }

private:
    std::string m_caption;
    bool m_default = false;
    bool m_cancel = false;
};

} // namespace discmenu::ui

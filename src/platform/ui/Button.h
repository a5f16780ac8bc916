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

private:
    std::string m_caption;
};

} // namespace discmenu::ui

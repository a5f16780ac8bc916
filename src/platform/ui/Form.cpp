#include "platform/ui/Form.h"

#include "platform/ui/Button.h"
#include "platform/ui/FormObserver.h"

#include <algorithm>

namespace discmenu::ui {

void Form::setCaption(std::string caption) {
    if (caption == m_caption)
        return;
    m_caption = std::move(caption);
    if (m_observer)
        m_observer->captionChanged(*this);
}

void Form::show() {
    // Shown, or shown again while open, a window comes to the front and takes the focus, as
    // on Windows, rather than staying behind the one the user worked in: a window system
    // without a window manager maps a window again where it last lay.
    m_bringToFront = true;
    if (m_visible)
        return;
    m_visible = true;
    if (m_focusOnShow)
        m_focusRequest = m_focusOnShow;
    if (m_observer)
        m_observer->visibilityChanged(*this);
}

void Form::hide() {
    if (!m_visible)
        return;
    m_visible = false;
    if (m_observer)
        m_observer->visibilityChanged(*this);
}

void Form::setWindow(BorderStyle border, StartPosition start, bool showInTaskbar, int clientWidth,
                     int clientHeight) {
    m_borderStyle = border;
    m_startPosition = start;
    m_showInTaskbar = showInTaskbar;
    m_clientWidth = clientWidth;
    m_clientHeight = clientHeight;
}

std::vector<Control*> Form::tabOrder() const {
    std::vector<Control*> stops;
    for (const auto& c : m_controls) {
        if (c->tabStop() && c->visible())
            stops.push_back(c.get());
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Control* a, const Control* b) {
        return a->tabIndex() < b->tabIndex();
    });
    return stops;
}

Control* Form::cancelButton() const {
    for (const auto& c : m_controls) {
        if (c->kind() == ControlKind::Button && static_cast<const Button&>(*c).isCancel())
            return c.get();
    }
    return nullptr;
}

void Form::raise(const UiEvent& event) {
    handle(event);
    if (m_observer)
        m_observer->eventHandled(*this);
}

} // namespace discmenu::ui

#include "platform/ui/Form.h"

#include "platform/ui/FormObserver.h"

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

void Form::raise(const UiEvent& event) {
    handle(event);
    if (m_observer)
        m_observer->eventHandled(*this);
}

} // namespace discmenu::ui

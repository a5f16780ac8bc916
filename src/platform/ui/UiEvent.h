#pragma once

#include <string>

namespace discmenu::ui {

enum class EventKind {
    Load,
    Click,
    DblClick,
    MouseMove,
    KeyPress,
    LostFocus,
    Change,
    Resize,
    Terminate,
    GotFocus, // raised only when the keyboard moved the focus, never for the mouse
};

// An event of a form or of one of its controls. control is empty for the form itself;
// index is the element's index in a control array, -1 for a single control.
struct UiEvent {
    EventKind kind;
    std::string control;
    int index = -1;
    int key = 0; // KeyPress: the key code
    // LostFocus: the control a mouse press moves the focus to, when the press is on one
    // of the same form; empty otherwise. When the form's handling of the LostFocus puts up
    // a message box, that box takes the press's release: the form then runs the click
    // itself, and the adapter lets no click of that press through.
    std::string focusTo = {};
    // Click: the keyboard (Enter, Space) or a screen reader's default action did it.
    bool byKeyboard = false;

    static UiEvent form(EventKind k) { return {k, {}, -1, 0}; }
    static UiEvent of(EventKind k, std::string name, int index = -1) {
        return {k, std::move(name), index, 0};
    }
};

} // namespace discmenu::ui

#pragma once

namespace discmenu::ui {

class Form;

// Told of the changes of a form that support staff want to follow.
class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void formCreated(const Form&) {}
    virtual void visibilityChanged(const Form&) {}
    virtual void captionChanged(const Form&) {}
    // After each event handled by the form; changes gathered during it can be told now.
    virtual void eventHandled(const Form&) {}
};

} // namespace discmenu::ui

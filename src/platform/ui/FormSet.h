#pragma once

#include <vector>

namespace discmenu::ui {

class Form;

// The forms of the running program, as the toolkit adapter sees them.
class FormSet {
public:
    virtual ~FormSet() = default;
    // The forms that exist now, in creation order. A form may be gone after any event.
    virtual std::vector<Form*> loadedForms() = 0;
    // The user closed the form by its frame: it is unloaded, and its Terminate step runs.
    virtual void closeByFrame(Form& form) = 0;
};

} // namespace discmenu::ui

#pragma once

namespace discmenu {

// What the program needs of the running window system beyond its forms.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Lets pending window events run, then returns.
    virtual void doEvents() = 0;
    // Stops the whole program at once: every window closes, no further handler runs.
    virtual void endProgram() = 0;
};

} // namespace discmenu

#pragma once

#include <string>

namespace discmenu {

// What the program needs of the running window system beyond its forms.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Lets pending window events run, then returns.
    virtual void doEvents() = 0;
    // Stops the whole program at once: every window closes, no further handler runs.
    virtual void endProgram() = 0;
    // A modal note that a long copy is under way, shown or brought up to date; no other
    // handler runs while it shows.
    virtual void showProgress(const std::string& text, int percent) = 0;
    virtual void endProgress() = 0;
};

} // namespace discmenu

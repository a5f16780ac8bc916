#pragma once

#include "platform/Failure.h"

#include <string>

namespace discmenu {

namespace ui {
class Form;
}

// Hands documents and command lines to other programs and never waits for them.
class Launcher {
public:
    virtual ~Launcher() = default;

    // Opens file with what the system associates with it, in the working folder. The
    // result is never examined by the program, so none is given.
    virtual void shellOpen(const ui::Form& owner, const std::string& file,
                           const std::string& folder) = 0;

    // Starts a command line in a normal window with the focus and returns at once.
    // Fails when the program cannot be started.
    virtual Outcome runProgram(const std::string& commandLine) = 0;
};

} // namespace discmenu

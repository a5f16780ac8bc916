#pragma once

#include <string>

namespace discmenu {

enum class Buttons { Ok, OkCancel };
enum class Answer { Ok, Cancel };

// A message to the user: a prompt only, no icon, the application's title, and an OK
// button or OK and Cancel. Modal: returns once the user has answered.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual Answer show(const std::string& prompt, Buttons buttons) = 0;
};

} // namespace discmenu

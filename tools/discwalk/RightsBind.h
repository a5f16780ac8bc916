#pragma once

namespace discmenu::tools {

// While it lives, the superuser's power to read, search and write past a file's rights is
// set aside (the capabilities stay permitted and come back at the end), so that a file or
// a folder without rights refuses this process as it refuses an ordinary user. CI runs as
// the superuser; without this, its tests of unreadable discs would read everything.
class RightsBind {
public:
    RightsBind();
    ~RightsBind();
    RightsBind(const RightsBind&) = delete;
    RightsBind& operator=(const RightsBind&) = delete;

    // Whether a file without rights refuses this process now.
    bool holds() const { return m_holds; }

private:
    bool m_dropped = false;
    bool m_holds = false;
};

} // namespace discmenu::tools

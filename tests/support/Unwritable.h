#pragma once

#include <filesystem>

namespace discmenu::test {

// Makes a file that this process cannot replace, for as long as the object lives: read-only
// for an ordinary user, immutable for the superuser (who may write anywhere else). Tests
// skip themselves where the file system offers neither.
class Unwritable {
public:
    explicit Unwritable(std::filesystem::path file);
    ~Unwritable();
    Unwritable(const Unwritable&) = delete;
    Unwritable& operator=(const Unwritable&) = delete;

    bool holds() const { return m_holds; }

private:
    std::filesystem::path m_file;
    bool m_immutable = false;
    bool m_holds = false;
};

} // namespace discmenu::test

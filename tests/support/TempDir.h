#pragma once

#include <filesystem>
#include <string>

namespace discmenu::test {

// A fresh folder for one test, removed when the test passes and kept when it fails, so
// that what the test left behind can be looked at.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // Removes the folder now, whatever becomes of the test: for a test that makes many
    // folders and keeps only those of the cases that failed.
    void discard();

private:
    std::filesystem::path m_path;
    bool m_discarded = false;
};

// A path from UTF-8 text on every machine (on Windows a plain string would be read in the
// ANSI code page).
inline std::filesystem::path utf8Path(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

// Writes a file, creating its folders; the content is written byte for byte.
void writeFile(const std::filesystem::path& file, const std::string& content);
std::string readFile(const std::filesystem::path& file);

} // namespace discmenu::test

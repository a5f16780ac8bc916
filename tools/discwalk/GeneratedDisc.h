#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace discmenu::tools {

// What a generated tree may hold beyond odd names and odd files. Each can be left out, so
// that a run can leave aside what is known not to hold yet.
struct Hazards {
    bool unreadable = true;     // folders and files without read rights
    bool links = true;          // links to files and folders, dangling links, link loops
    bool backslashNames = true; // names holding a backslash
    bool pipes = true;          // a named pipe where a version or job file is read
    bool farDates = true;       // folders dated before 1970 or after 2262
    bool packageLoops = true;   // link loops inside the DOS package folders
};

// A generated disc: what the program is started from, and a line for each thing written.
struct GeneratedDisc {
    std::uint64_t seed = 0;
    std::string programFolder; // the program's folder as the program sees it, on drive D:
    std::vector<std::string> entries;
    std::vector<std::filesystem::path> locked; // entries whose rights were taken away

    // The seed and every entry, names escaped so that any byte can be read.
    std::string describe() const;
    // Gives the locked entries their rights back, so that the tree can be removed.
    void unlock() const;
};

// Writes a random disc tree into disc (the folder that is drive D:), the same tree for the
// same seed: every kind of disc and program-folder layout, job folders by the thousand,
// names with Unicode, blanks, trailing dots and blanks, ")" endings, the characters Windows
// forbids, invalid UTF-8, very long names and deep paths; empty, binary, huge, truncated
// version and job files with CR, LF and CR LF line ends; a file where a folder is expected
// and the reverse; and whatever hazards allows.
GeneratedDisc generateDisc(std::uint64_t seed, const std::filesystem::path& disc,
                           const Hazards& hazards = {});

// The text of a name or path with control characters and bytes that are not UTF-8 written
// as \xHH.
std::string escaped(const std::string& text);

} // namespace discmenu::tools

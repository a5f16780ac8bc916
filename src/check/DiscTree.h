#pragma once

#include "platform/Failure.h"

#include <cstdint>
#include <string>
#include <vector>

namespace discmenu::check {

// One entry of a folder, as the machine names it.
struct TreeEntry {
    std::string name;
    bool folder = false;
    std::uint64_t bytes = 0; // files only
    // Neither a folder nor a regular file (a link, a device), or not to be looked at.
    bool other = false;
};

class TreeVisitor {
public:
    virtual ~TreeVisitor() = default;
    // One folder and its entries, in the folder's own order. relative is the folder's path
    // below the disc root, names joined by backslashes; empty for the root.
    virtual void visit(const std::string& relative, const std::vector<TreeEntry>& entries) = 0;
    // A folder below the root that could not be read; the walk goes on without it.
    virtual void unreadable(const std::string& relative, const Failure& failure) = 0;
};

// The whole tree of a disc folder, walked once, every folder handed to the visitor before
// its subfolders. Symbolic links are not followed.
class DiscTree {
public:
    virtual ~DiscTree() = default;
    // Fails when the disc folder itself cannot be read.
    virtual Outcome walk(TreeVisitor& visitor) const = 0;
};

} // namespace discmenu::check

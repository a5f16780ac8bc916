#pragma once

#include "check/DiscTree.h"

#include <string>

namespace discmenu::posix {

// The tree below a folder of this machine, read with one listing per folder; a file is
// looked at only for its size.
class PosixDiscTree : public check::DiscTree {
public:
    explicit PosixDiscTree(std::string hostRoot) : m_root(std::move(hostRoot)) {}
    Outcome walk(check::TreeVisitor& visitor) const override;

private:
    std::string m_root;
};

} // namespace discmenu::posix

#pragma once

#include <cstdint>

namespace discmenu {

// Told, as a copy goes on, how many bytes of the file are done.
class CopyProgress {
public:
    virtual ~CopyProgress() = default;
    virtual void copied(std::uint64_t done, std::uint64_t total) = 0;
};

} // namespace discmenu

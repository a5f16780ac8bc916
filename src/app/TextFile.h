#pragma once

#include "platform/Failure.h"
#include "platform/FileSystem.h"
#include "platform/TextLines.h"

namespace discmenu {

// Opens a version or job file for sequential line input. Such files are a few lines long;
// only their first mebibyte is read, so a strange file on a disc costs nothing.
inline Result<TextLines> openTextFile(const FileSystem& fs, const std::string& path) {
    constexpr std::size_t maxBytes = 1 << 20;
    auto bytes = fs.readStart(path, maxBytes);
    if (!bytes)
        return std::unexpected(bytes.error());
    return TextLines(std::move(*bytes));
}

} // namespace discmenu

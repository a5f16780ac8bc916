#include "platform/Failure.h"

#include <algorithm>
#include <utility>

namespace discmenu {

namespace {

constexpr std::pair<Err, std::string_view> texts[] = {
    {Err::FileNotFound, "File not found"},           {Err::DiskFull, "Disk full"},
    {Err::DriveUnavailable, "Device unavailable"},   {Err::PermissionDenied, "Permission denied"},
    {Err::PathFileAccess, "Path/File access error"}, {Err::PathNotFound, "Path not found"},
};

} // namespace

Failure failure(Err code, std::string_view detail) {
    const auto* row = std::find_if(std::begin(texts), std::end(texts),
                                   [code](const auto& r) { return r.first == code; });
    std::string text(row != std::end(texts) ? row->second : "Path/File access error");
    if (!detail.empty())
        text.append(": ").append(detail);
    return {code, std::move(text)};
}

} // namespace discmenu

#include "platform/Failure.h"

namespace discmenu {

Failure failure(Err code, std::string_view detail) {
    std::string text = [code] {
        switch (code) {
        case Err::FileNotFound:
            return "File not found";
        case Err::DiskFull:
            return "Disk full";
        case Err::DriveUnavailable:
            return "Device unavailable";
        case Err::PermissionDenied:
            return "Permission denied";
        case Err::PathFileAccess:
            return "Path/File access error";
        case Err::PathNotFound:
            return "Path not found";
        }
        return "Path/File access error";
    }();
    if (!detail.empty())
        text.append(": ").append(detail);
    return {code, std::move(text)};
}

} // namespace discmenu

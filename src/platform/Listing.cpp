#include "platform/Listing.h"

#include "platform/Text.h"

#include <algorithm>

namespace discmenu {

namespace {

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

} // namespace

bool listedBefore(std::string_view a, std::string_view b) {
    if (text::isAscii(a) && text::isAscii(b)) {
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i) {
            const char ua = upperAscii(a[i]);
            const char ub = upperAscii(b[i]);
            if (ua != ub)
                return static_cast<unsigned char>(ua) < static_cast<unsigned char>(ub);
        }
        if (a.size() != b.size())
            return a.size() < b.size();
        return a < b;
    }
    const std::string ua = text::upper(a);
    const std::string ub = text::upper(b);
    return ua != ub ? ua < ub : a < b;
}

void putInListingOrder(std::vector<FolderEntry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& x, const FolderEntry& y) {
        return listedBefore(x.name, y.name);
    });
}

} // namespace discmenu

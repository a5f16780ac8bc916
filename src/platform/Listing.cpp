#include "platform/Listing.h"

#include "platform/Text.h"

#include <algorithm>

namespace discmenu {

bool listedBefore(std::string_view a, std::string_view b) {
    if (text::isAscii(a) && text::isAscii(b)) {
        const auto [ia, ib] = std::ranges::mismatch(a, b, {}, text::upperAscii, text::upperAscii);
        if (ia != a.end() && ib != b.end())
            return text::upperAscii(*ia) < text::upperAscii(*ib);
        return a.size() != b.size() ? a.size() < b.size() : a < b;
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

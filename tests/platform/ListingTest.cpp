#include "platform/Listing.h"

#include <gtest/gtest.h>

namespace discmenu {
namespace {

TEST(Listing, OrdersByNameWithoutRegardToCase) {
    std::vector<FolderEntry> entries;
    for (const char* n : {"b.txt", "_x", "Über2", "A.txt", "zeta", "1", "a.TXT", "über", "Ab", "a"})
        entries.push_back({n, n, {}});
    putInListingOrder(entries);
    std::vector<std::string> names;
    for (const FolderEntry& e : entries)
        names.push_back(e.name);
    // Digits before letters before "_" (upper-case order); a shorter name first; the
    // exact name only breaks ties; accented letters after ASCII ones.
    EXPECT_EQ(names, (std::vector<std::string>{"1", "a", "A.txt", "a.TXT", "Ab", "b.txt", "zeta",
                                               "_x", "über", "Über2"}));
    EXPECT_FALSE(listedBefore("B", "a"));
    EXPECT_FALSE(listedBefore("x", "x"));
}

} // namespace
} // namespace discmenu

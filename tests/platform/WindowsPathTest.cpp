#include "platform/WindowsPath.h"

#include <gtest/gtest.h>

namespace discmenu {
namespace {

TEST(WindowsPath, NormalFormAndLastName) {
    struct Row {
        const char* path;
        bool drive;
        const char* normal;
        const char* last;
    };
    const Row rows[] = {
        {"D:\\a\\\\b\\", true, "D:\\a\\b", "b"},
        {"d:", true, "D:\\", ""}, // the drive's current folder is its root to the program
        {"D:\\", true, "D:\\", ""},
        {"c:/x//y", true, "C:\\x\\y", "y"}, // slashes separate as backslashes do
        {"D:\\CD Current Version (7.16)\\\\Components", true,
         "D:\\CD Current Version (7.16)\\Components", "Components"},
        {"\\a\\b", false, "\\a\\b", "b"}, // no drive: left as it is
        {"", false, "", ""},
        {"1:\\a", false, "1:\\a", "a"},
        {"D:\\names\xEF\x81\x9Cinside", true, "D:\\names\xEF\x81\x9Cinside",
         "names\xEF\x81\x9Cinside"}, // a host backslash shown as U+F05C stays in its name
    };
    for (const Row& r : rows) {
        EXPECT_EQ(winpath::hasDrive(r.path), r.drive) << r.path;
        EXPECT_EQ(winpath::normalised(r.path), r.normal) << r.path;
        EXPECT_EQ(winpath::lastName(r.path), r.last) << r.path;
    }
    for (const char* root : {"D:", "d:\\"})
        EXPECT_TRUE(winpath::isDriveRoot(root)) << root;
    for (const char* other : {"D:\\a", "D:\\\\", "\\", "DD:"})
        EXPECT_FALSE(winpath::isDriveRoot(other)) << other;
    EXPECT_EQ(winpath::nameKey("Con & Ini Files"), winpath::nameKey("CON & ini files"));
    EXPECT_EQ(winpath::nameKey("\xC3\xBC"
                               "ber"),
              winpath::nameKey("\xC3\x9C"
                               "BER")); // über
    EXPECT_NE(winpath::nameKey("a.con"), winpath::nameKey("a.cal"));
}

} // namespace
} // namespace discmenu

#include "app/DiscRoot.h"

#include <gtest/gtest.h>

namespace discmenu {
namespace {

TEST(DiscRoot, FindsTheFolderThatHoldsTheJobFolders) {
    struct Row {
        const char* cdBase;
        const char* driveRoot;
        const char* root;
    };
    const Row rows[] = {
        {"D:\\", "D:\\", "D:\\"},
        // The historic cut, kept where it gives a drive root.
        {"D:\\CD Current Version (7.1)\\Components", "D:\\", "D:"},
        {"D:\\CD Current Version (7.16)\\Components", "D:\\", "D:\\"},
        // Other version lengths: the folder that holds the version folder.
        {"D:\\CD Current Version (7)\\Components", "D:\\", "D:\\"},
        {"D:\\CD Current Version (7.160)\\Components", "D:\\", "D:\\"},
        {"Z:\\media\\disc\\CD Current Version (7.16)\\Components", "Z:\\", "Z:\\media\\disc"},
        // A disc copied into a folder, or mounted anywhere: the folder above autorun.
        {"Z:\\media\\disc", "Z:\\", "Z:\\media\\disc"},
        {"C:\\Disc", "C:\\", "C:\\Disc"},
        {"C:\\Discs\\Über", "C:\\", "C:\\Discs\\Über"},
        // Exactly 36 characters would have left nothing: not the version layout, so CDBase.
        {"D:\\aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "D:\\", "D:\\aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"},
        {"D:\\CD Current Version (7.16)\\Components\\x", "D:\\",
         "D:\\CD Current Version (7.16)\\Components\\x"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(discRootFor(r.cdBase, r.driveRoot), r.root) << r.cdBase;
}

} // namespace
} // namespace discmenu

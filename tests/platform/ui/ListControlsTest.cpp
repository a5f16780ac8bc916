#include "DiscFixture.h"
#include "platform/ui/FileList.h"
#include "platform/ui/FolderList.h"
#include "platform/ui/ListBox.h"

namespace discmenu::test {
namespace {

TEST(FilePattern, MatchesWildcardsWithoutRegardToCase) {
    struct Row {
        const char* name;
        const char* pattern;
        bool match;
    };
    const Row rows[] = {
        {"SENSOR.CON", "*.con", true},
        {"a.con", "*.CON", true},
        {"Shoal7 Manual.PDF", "*manual*.pdf", true},
        {"manual.pdf", "*manual*.pdf", true}, // "*" also stands for nothing
        {"manuals.txt", "*manual*.pdf", false},
        {"x1.ini", "x?.ini", true},
        {"x12.ini", "x?.ini", false},
        {"Ä.cal", "?.cal", true}, // "?" is one character, not one byte
        {"", "*", true},
        // Names holding the wildcard characters themselves: they are only characters.
        {"a*b.con", "*.con", true},
        {"*star.con", "*.con", true},
        {"xstar.con", "*star.con", true},
        {"??.con", "?.con", false},
        // Runs that need the matcher to go back more than once.
        {"aXbYbZc.con", "a*b*c.con", true},
        {"abcab.con", "a*b*c.con", false},
        {".con", "**.con", true},
        {"x.con.conx.con.con", "*.con.con", true},
        {"x.con", "*.con.con", false},
        {"x.con ", "*.con", false}, // a trailing blank is part of the name
        {"MÜLLER.CON", "*müller*", true},
        {"日本.con", "??.con", true},
        {"a", "*?*?*", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ui::matchesPattern(r.name, r.pattern), r.match) << r.name << " " << r.pattern;
}

using ListControls = DiscFixture;

TEST_F(ListControls, FileListShowsMatchingFilesSortedAndClearsItsSelection) {
    for (const char* f : {"sw/b.con", "sw/A.CON", "sw/c.con.bak", "sw/d.ini", "sw/folder.con/x"})
        file(f);
    ui::FileList list("FileMain", *m_fs);
    ASSERT_TRUE(list.setPath("D:\\sw"));
    ASSERT_TRUE(list.setPattern("*.con"));
    EXPECT_EQ(list.names(), (std::vector<std::string>{"A.CON", "b.con"})); // files only
    list.userSetSelected(1, true);
    list.userSetCurrent(1);
    EXPECT_TRUE(list.selected(1));
    EXPECT_EQ(list.fileName(), "b.con");
    ASSERT_TRUE(list.setPattern("*.ini"));
    EXPECT_EQ(list.names(), (std::vector<std::string>{"d.ini"}));
    EXPECT_FALSE(list.selected(0));
    EXPECT_EQ(list.listIndex(), -1);

    auto missing = list.setPath("D:\\nowhere");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().number(), 76);
    EXPECT_EQ(list.listCount(), 0);
}

TEST_F(ListControls, FolderListMovesOnlyToFoldersThatExist) {
    folder("Data/Sub b");
    folder("Data/sub A");
    file("Data/file.txt");
    ui::FolderList dir("Dir1", *m_fs);
    ASSERT_TRUE(dir.setPath("d:\\data\\"));
    EXPECT_EQ(dir.path(), "D:\\data");
    EXPECT_EQ(dir.items(), (std::vector<ui::FolderItem>{{"D:\\", "D:\\", 0, true},
                                                        {"data", "D:\\data", 1, true},
                                                        {"sub A", "D:\\data\\sub A", 2, false},
                                                        {"Sub b", "D:\\data\\Sub b", 2, false}}));
    EXPECT_EQ(dir.listIndex(), 1);
    dir.userOpen(2);
    EXPECT_EQ(dir.path(), "D:\\data\\sub A");
    dir.userOpen(0);
    EXPECT_EQ(dir.path(), "D:\\");

    struct Row {
        const char* path;
        int number;
    };
    const Row failures[] = {
        {"Q:\\", 68}, {"D:\\missing", 76}, {"D:\\Data\\file.txt", 76}, {"Data", 76}};
    for (const Row& r : failures) {
        auto moved = dir.setPath(r.path);
        ASSERT_FALSE(moved) << r.path;
        EXPECT_EQ(moved.error().number(), r.number) << r.path;
        EXPECT_EQ(dir.path(), "D:\\") << r.path; // it stays where it was
    }
    ASSERT_TRUE(dir.setPath("D:"));
    EXPECT_EQ(dir.path(), "D:\\"); // the drive's current folder: its root
}

// A drawer that saw the list at one revision and replays the insertions since then must
// end with the list's own entries, in the list's order.
TEST(ListBoxChanges, ReplayingTheInsertionsGivesTheEntries) {
    ui::ListBox list("lstRMA");
    list.setSorted(true);
    list.addItem("lstRMA");
    std::vector<std::string> shown = list.entries();
    std::uint64_t seen = list.revision();
    auto catchUp = [&] {
        auto added = list.insertionsSince(seen);
        if (!added)
            return false;
        for (const ui::ListInsertion& i : *added)
            shown.insert(shown.begin() + i.at, i.entry);
        seen = list.revision();
        return true;
    };
    EXPECT_TRUE(catchUp());
    EXPECT_EQ(list.insertionsSince(seen)->size(), 0u); // nothing changed, nothing to do

    list.clear(); // takes the whole list again: a removal is not an insertion
    list.addItem("1002");
    EXPECT_FALSE(catchUp());
    shown = list.entries();
    seen = list.revision();

    for (const char* id : {"1003", "1001", "a", "B", "1001"}) // out of order, a duplicate
        list.addItem(id);
    EXPECT_TRUE(catchUp());
    EXPECT_EQ(shown, list.entries());
    EXPECT_EQ(shown, (std::vector<std::string>{"1001", "1001", "1002", "1003", "a", "B"}));

    for (int i = 0; i < 1000; ++i) // far more than a drawer that keeps up ever lags
        list.addItem(std::to_string(i));
    EXPECT_FALSE(catchUp());
    EXPECT_FALSE(list.insertionsSince(list.revision() + 1)); // a revision it never had
}

} // namespace
} // namespace discmenu::test

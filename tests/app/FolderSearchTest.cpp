#include "DiscFixture.h"

namespace discmenu::test {
namespace {

class FolderSearch : public DiscFixture {
protected:
    void SetUp() override { module().CDPath = "D:\\sw"; }
};

TEST_F(FolderSearch, FindFileByPrefix) {
    folder("sw/Adobe Acrobat");
    file("sw/Setup_v7.EXE");
    file("sw/setup_v8.exe");
    file("sw/report.pdf.bak");
    file("sw/SET.exe");
    file("sw/Adobe Acrobat/rp505enu.exe");
    struct Row {
        const char* prefix;
        const char* extension;
        const char* subfolder;
        const char* found;
    };
    const Row rows[] = {
        {"SETUP_", "exe", "", "D:\\sw\\setup_v8.exe"}, // both match; the last listed wins
        {"setup_v7", "EXE", "", "D:\\sw\\Setup_v7.EXE"},
        {"SET.exe.more", "exe", "", ""}, // a prefix longer than the name is compared whole
        {"SET.exe", "exe", "", "D:\\sw\\SET.exe"},
        {"setup_", ".exe", "", ""}, // only three characters of the name are compared
        {"report", "pdf", "", ""},
        {"rp", "exe", "\\Adobe Acrobat", "D:\\sw\\Adobe Acrobat\\rp505enu.exe"},
        {"", "bak", "", "D:\\sw\\report.pdf.bak"},
    };
    for (const Row& r : rows) {
        auto found = m_mod->FindFileByPrefix(r.prefix, r.extension, r.subfolder);
        ASSERT_TRUE(found.has_value()) << r.prefix;
        EXPECT_EQ(*found, r.found) << r.prefix;
    }
}

TEST_F(FolderSearch, FindFileByPrefixInAMissingFolderFails) {
    folder("sw");
    auto found = m_mod->FindFileByPrefix("rp", "exe", "\\Adobe Acrobat");
    ASSERT_FALSE(found.has_value());
    EXPECT_EQ(found.error().number(), 76);
    EXPECT_EQ(*m_mod->FindFileByPrefix("rp", "exe", ""), "");
}

TEST_F(FolderSearch, FolderContainsName) {
    file("sw/SENSOR.CON");
    file("sw/x.configuration");
    file("sw/Überblick Manual.PDF");
    folder("sw/calibration.cal"); // a folder, not a file
    struct Row {
        const char* text;
        bool found;
    };
    const Row rows[] = {{".con", true},    {".CON", false}, // the text must be in lower case
                        {"uration", true}, {"manual", true}, {"überblick", true},
                        {".cal", false},   {"", true}};
    for (const Row& r : rows) {
        auto found = m_mod->FolderContainsName(r.text);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(*found, r.found) << r.text;
    }
}

TEST_F(FolderSearch, EmptyFolder) {
    folder("sw");
    EXPECT_EQ(*m_mod->FindFileByPrefix("", "exe", ""), "");
    EXPECT_FALSE(*m_mod->FolderContainsName(""));
}

} // namespace
} // namespace discmenu::test

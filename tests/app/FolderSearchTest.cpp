#include "DiscFixture.h"

namespace discmenu::test {
namespace {

class FolderSearch : public DiscFixture {
protected:
    void SetUp() override {
        module().CDPath = "D:\\sw";
        for (const char* f : {"Setup_v7.EXE", "setup_v8.exe", "Quaylog_7.3.PDF", "quaylog_7.2.pdf",
                              "quaylog_7.10.pdf", "quaylog_7.1.pdf", "report.pdf.bak", "SET.exe",
                              "Überblick Manual.PDF", "Adobe Acrobat/rp505enu.exe"})
            file(std::string("sw/") + f);
    }
    static std::string told(const Result<std::string>& found) {
        return found ? *found : "error " + std::to_string(found.error().number());
    }
};

TEST_F(FolderSearch, FindFileByPrefix) {
    struct Row {
        const char* prefix;
        const char* extension;
        const char* subfolder;
        const char* found;
    };
    const Row rows[] = {
        {"SETUP_", "exe", "", "D:\\sw\\setup_v8.exe"},       // both match; the last listed wins
        {"quaylog_7", "pdf", "", "D:\\sw\\Quaylog_7.3.PDF"}, // after "7.1.", "7.10" and "7.2"
        {"setup_v7", "EXE", "", "D:\\sw\\Setup_v7.EXE"},
        {"SET.exe.more", "exe", "", ""}, // a prefix longer than the name is compared whole
        {"SET.exe", "exe", "", "D:\\sw\\SET.exe"},
        {"setup_", ".exe", "", ""}, // only three characters of the name are compared
        {"report", "pdf", "", ""},
        {"überblick", "pdf", "", "D:\\sw\\Überblick Manual.PDF"},
        {"rp", "exe", "\\Adobe Acrobat", "D:\\sw\\Adobe Acrobat\\rp505enu.exe"},
        {"rp", "exe", "\\Missing", "error 76"},
        {"", "bak", "", "D:\\sw\\report.pdf.bak"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(told(m_mod->FindFileByPrefix(r.prefix, r.extension, r.subfolder)), r.found)
            << r.prefix;
}

} // namespace
} // namespace discmenu::test

#include "DiscFixture.h"
#include "browser/FormFiles.h"

namespace discmenu::test {
namespace {

using PrivateUseName = DiscFixture;

// A name stored with U+F05C itself, the character a backslash is shown as, beside a real
// backslash: it is listed with two U+F05C and must be found again by that name (generated
// disc trees of seeds 11 and 25 held such names).
TEST_F(PrivateUseName, IsFoundByTheNameItIsListedAs) {
    const std::string shown = "pua\uF05Cand\uF05Cslash.con";
    file("pua\uF05Cand\\slash.con", "content");
    file("autorun/version", "7.16\r\n");
    start();
    m_mod->ShowFileBrowser("*.con", "All included .CON file(s)");
    EXPECT_EQ(m_mod->formFiles().FileMain().names(), std::vector<std::string>{shown});
    EXPECT_TRUE(m_fs->fileExists("D:\\" + shown));
    EXPECT_EQ(m_fs->readStart("D:\\" + shown, 100).value_or("?"), "content");
    ASSERT_TRUE(m_fs->copyFile("D:\\" + shown, "E:\\" + shown, nullptr));
    EXPECT_EQ(m_fs->readStart("E:\\" + shown, 100).value_or("?"), "content");
}

} // namespace
} // namespace discmenu::test

#include "app/Trace.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace discmenu {
namespace {

TEST(Trace, OneEventIsOneLine) {
    std::ostringstream out;
    Trace trace(&out);
    trace.write({"message", "OK", "Error, Drive not found:\r\nQ:\\x\ty"});
    trace.writeList("items", std::vector<std::string>{"a b", "c\nd"});
    trace.writeList("jobs", std::vector<std::string>{});
    EXPECT_EQ(out.str(), "message\tOK\tError, Drive not found:^M^JQ:\\x^Iy\n"
                         "items\ta b\tc^Jd\n"
                         "jobs\n");
}

} // namespace
} // namespace discmenu

#include "app/Trace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace discmenu {
namespace {

struct LineRecorder : TraceSink {
    std::vector<std::string> lines;
    void writeLine(std::string_view line) override { lines.emplace_back(line); }
};

// Each event reaches the sink as one whole line, so that no writer can split it.
TEST(Trace, OneEventIsOneLine) {
    LineRecorder sink;
    Trace trace(&sink);
    trace.write({"message", "OK", "Error, Drive not found:\r\nQ:\\x\ty"});
    trace.writeList("items", std::vector<std::string>{"a b", "c\nd"});
    trace.writeList("jobs", std::vector<std::string>{});
    EXPECT_EQ(sink.lines, (std::vector<std::string>{
                              "message\tOK\tError, Drive not found:^M^JQ:\\x^Iy\n",
                              "items\ta b\tc^Jd\n",
                              "jobs\n",
                          }));
}

} // namespace
} // namespace discmenu

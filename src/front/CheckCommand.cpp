#include "front/CheckCommand.h"

#include "check/DiscCheck.h"
#include "check/ReportWriters.h"
#include "platform/posix/CheckSetup.h"
#include "platform/posix/StdioStream.h"

#include <string>

namespace discmenu::front {

int checkCommand(int argc, char** argv) {
    std::string disc;
    bool json = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--json") {
            json = true;
        } else if (disc.empty() && !arg.starts_with("--")) {
            disc = arg;
        } else {
            std::fputs("usage: discmenu --check [DISC] [--json]\n", stderr);
            return 2;
        }
    }
    posix::CheckSetup setup(disc);
    const check::DiscReport report = check::checkDisc(setup.ports());
    posix::StdioStream out(stdout);
    if (json)
        check::writeJson(out, report, setup.discFolder());
    else
        check::writeText(out, report, setup.discFolder());
    out.flush();
    return report.exitStatus();
}

} // namespace discmenu::front

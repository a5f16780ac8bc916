// The window program on Linux and macOS, started by discmenu in its place: the machine's
// adapters, the Qt windows, and the program's module, wired together once.

#include "app/ModMain.h"
#include "app/StreamTraceSink.h"
#include "app/Trace.h"
#include "platform/posix/PathResolver.h"
#include "platform/posix/PosixEnvironment.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixLauncher.h"
#include "platform/posix/StdioStream.h"
#include "platform/qt/MemoryUse.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/Snapshot.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>

using namespace discmenu;

namespace {

bool hasDisplay() {
#if defined(__linux__) || defined(__unix__)
#ifndef __APPLE__
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#endif
#endif
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // The disc makers' snapshot needs no display; their check is discmenu's own.
    if (argc > 1 && std::string(argv[1]) == "--snapshot")
        return qt::snapshotCommand(argc, argv);
    if (!hasDisplay()) {
        std::fputs("discmenu needs a graphical display; on a machine without one, start it "
                   "under a virtual display, for example: xvfb-run -a discmenu\n",
                   stderr);
        return 1;
    }
    qt::limitMemoryGrowth();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(qt::QtMessageBoxes::Title));
    QApplication::setQuitOnLastWindowClosed(false);

    // Streams are made only for a trace: any stream sets up the C++ locale, which the
    // program otherwise never needs.
    std::optional<std::ofstream> traceFile;
    std::optional<posix::StdioStream> traceStderr;
    std::ostream* traceOut = nullptr;
    if (const char* name = std::getenv("DISCMENU_TRACE"); name && *name) {
        if (std::string(name) == "-") {
            traceOut = &traceStderr.emplace(stderr);
        } else if (traceFile.emplace(name, std::ios::app); *traceFile) {
            traceOut = &*traceFile;
        }
    }
    std::optional<StreamTraceSink> traceSink;
    if (traceOut)
        traceSink.emplace(*traceOut);
    Trace trace(traceSink ? &*traceSink : nullptr);

    posix::PathResolver paths(posix::DriveMap::standard());
    posix::PosixFileSystem fs(paths);
    posix::PosixEnvironment env(paths.drives(), posix::PosixEnvironment::executableFolder());
    posix::PosixLauncher launcher(paths);
    qt::QtDesktop desktop;
    qt::QtMessageBoxes messages(desktop);
    ModMain mod(Ports{fs, launcher, messages, desktop, env}, trace);
    desktop.attach(mod);

    mod.Main();
    desktop.sync();
    if (desktop.ended())
        return 0;
    return QApplication::exec();
}

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
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace discmenu;

namespace {

bool isSet(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

// Whether the windows go to an X display: always on Linux, on Wayland desktops through
// XWayland, since the program carries no Wayland platform (the one of this Qt draws windows
// without a title bar). A platform asked for by name other than Wayland's (offscreen, for
// tools and tests) is kept.
bool drawsOnX11() {
#if defined(__APPLE__)
    return false;
#else
    const char* asked = std::getenv("QT_QPA_PLATFORM");
    return !isSet("QT_QPA_PLATFORM") || std::strstr(asked, "wayland") ||
           std::string_view(asked) == "xcb";
#endif
}

// Qt's notice that it made a runtime folder of its own is no news to the people who run
// the program from a root shell or a service account; everything else is passed on.
QtMessageHandler qtMessages = nullptr;
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        qtMessages(type, context, text);
}

} // namespace

int main(int argc, char** argv) {
    // The disc makers' snapshot needs no display; their check is discmenu's own.
    if (argc > 1 && std::string(argv[1]) == "--snapshot")
        return qt::snapshotCommand(argc, argv);
    const bool x11 = drawsOnX11();
    if (x11 && !isSet("DISPLAY")) {
        std::fputs("discmenu needs an X display (on a Wayland desktop, XWayland); on a machine "
                   "without one, start it under a virtual display, for example: xvfb-run -a "
                   "discmenu\n",
                   stderr);
        return 1;
    }
    // The platform is chosen on the command line, so that it holds for this process only:
    // what the program opens and starts gets the desktop's own QT_QPA_PLATFORM.
    std::vector<char*> args(argv, argv + argc);
    std::string platformOption = "-platform", xcb = "xcb";
    if (x11)
        args.insert(args.begin() + 1, {platformOption.data(), xcb.data()});
    int argCount = static_cast<int>(args.size());
    args.push_back(nullptr);
    qtMessages = qInstallMessageHandler(quietMessages);
    qt::limitMemoryGrowth();
    QApplication app(argCount, args.data());
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

#include "platform/qt/Snapshot.h"

#include "app/ModMain.h"
#include "browser/FormFiles.h"
#include "check/DiscCheck.h"
#include "check/ReportWriters.h"
#include "menu/FormMain.h"
#include "platform/posix/CheckSetup.h"
#include "platform/posix/StdioStream.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtMessageBoxes.h"

#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace discmenu::qt {

namespace {

std::string html(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string twoDigits(int n) {
    std::string digits = std::to_string(n);
    if (n < 10)
        digits.insert(digits.begin(), '0');
    return digits;
}

// Draws the windows of the module the check runs, with the same windows the program shows,
// and keeps the names of the pictures it wrote.
class Painter : public check::PageWatcher {
public:
    explicit Painter(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    void pageShown(ModMain& mod, const check::Page& page) override {
        const std::string name = "page-" + twoDigits(page.id + 1) + ".png";
        if (grab(mod, mod.formMain(), name))
            m_pages[page.id] = name;
    }
    void browserShown(ModMain& mod, const check::Page& page,
                      const check::ItemAction& item) override {
        const std::string name = "page-" + twoDigits(page.id + 1) + "-browser-" +
                                 twoDigits(static_cast<int>(page.items.size()) + 1) + ".png";
        if (grab(mod, mod.formFiles(), name))
            m_browsers[{page.id, item.caption}] = name;
    }
    void moduleEnding(ModMain&) override {
        m_desktop.reset();
        m_mod = nullptr;
    }

    std::string pagePicture(int id) const {
        auto it = m_pages.find(id);
        return it == m_pages.end() ? std::string() : it->second;
    }
    std::string browserPicture(int page, const std::string& caption) const {
        auto it = m_browsers.find({page, caption});
        return it == m_browsers.end() ? std::string() : it->second;
    }

private:
    bool grab(ModMain& mod, ui::Form& form, const std::string& name) {
        if (m_mod != &mod) {
            m_desktop = std::make_unique<QtDesktop>();
            m_desktop->attach(mod);
            m_mod = &mod;
        }
        m_desktop->sync();
        QApplication::processEvents();
        FormWindow* window = m_desktop->windowOf(form);
        if (!window)
            return false;
        const QPixmap picture = window->grab();
        return picture.save(QString::fromStdString((m_folder / name).string()), "PNG");
    }

    std::filesystem::path m_folder;
    std::unique_ptr<QtDesktop> m_desktop;
    ModMain* m_mod = nullptr;
    std::map<int, std::string> m_pages;
    std::map<std::pair<int, std::string>, std::string> m_browsers;
};

void writeItem(std::ostream& out, const check::DiscReport& r, const check::ItemAction& a,
               const std::string& browserPicture) {
    out << "<li><b>" << html(a.caption) << "</b>";
    if (a.page >= 0) {
        const check::Page& to = r.pages[static_cast<std::size_t>(a.page)];
        out << " &rarr; <a href=\"#page-" << to.id + 1 << "\">page " << to.id + 1 << " "
            << html(to.title) << "</a>";
    }
    for (const std::string& o : a.opens)
        out << "<br>opens <code>" << html(o) << "</code>";
    for (const std::string& c : a.runs)
        out << "<br>runs <code>" << html(c) << "</code>";
    for (const std::string& m : a.messages)
        out << "<br>message &ldquo;" << html(m) << "&rdquo;";
    if (a.opensBrowser())
        out << "<br>file browser &ldquo;" << html(a.browserCaption) << "&rdquo;, "
            << html(a.browserPattern) << ": " << a.browserFiles.size() << " file(s)";
    if (a.opensDialog())
        out << "<br>dialog &ldquo;" << html(a.dialogCaption) << "&rdquo;";
    if (!browserPicture.empty())
        out << "<br><img src=\"" << browserPicture << "\" alt=\"" << html(a.browserCaption)
            << "\">";
    out << "</li>\n";
}

void writeIndex(const std::filesystem::path& file, const check::DiscReport& r,
                const std::string& disc, const Painter& painter) {
    std::ofstream out(file);
    out << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" << html(disc)
        << "</title>\n<style>body{font-family:sans-serif;display:flex;gap:2em}"
           "main{flex:1}aside{flex:1}pre{white-space:pre-wrap;font-size:12px}"
           "li{margin:.3em 0}code{font-size:12px}.problems{color:#a00}</style></head><body>\n";
    out << "<main><h1>" << html(r.title) << "</h1><p>" << html(check::summaryLine(r)) << "</p>\n";
    for (const check::Page& p : r.pages) {
        out << "<section id=\"page-" << p.id + 1 << "\"><h2>Page " << p.id + 1 << ": "
            << html(p.title) << (p.job.empty() ? "" : " (job " + html(p.job) + ")") << "</h2>\n";
        out << "<p>Window title &ldquo;" << html(p.windowTitle) << "&rdquo;</p>\n";
        if (const std::string picture = painter.pagePicture(p.id); !picture.empty())
            out << "<img src=\"" << picture << "\" alt=\"" << html(p.windowTitle) << "\">\n";
        out << "<ol>\n";
        for (const check::ItemAction& a : p.items)
            writeItem(out, r, a, painter.browserPicture(p.id, a.caption));
        out << "</ol></section>\n";
    }
    out << "</main>\n<aside><h2>Report</h2><pre>";
    std::ostringstream report;
    check::writeText(report, r, disc);
    out << html(report.str()) << "</pre></aside>\n</body></html>\n";
}

} // namespace

int snapshotCommand(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fputs("usage: discmenu --snapshot OUTDIR [DISC]\n", stderr);
        return 2;
    }
    const std::filesystem::path out = argv[2];
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec) {
        std::fprintf(stderr, "cannot make %s: %s\n", out.c_str(), ec.message().c_str());
        return 2;
    }
    // Drawn off screen, with the renderer the window uses.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // A disc maker's tool prints its own messages and Qt's real trouble only: that there is
    // no window to bring to the front off screen, or that Qt made a runtime folder of its
    // own (a root shell, a service account), is no news to them.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (!text.contains(QLatin1String("does not support raise")) &&
            !text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
            std::fprintf(stderr, "%s%s\n",
                         type == QtDebugMsg ? "" : "qt: ", text.toUtf8().constData());
    });
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(QtMessageBoxes::Title));

    posix::CheckSetup setup(argc == 4 ? argv[3] : "");
    Painter painter(out);
    const check::DiscReport report = check::checkDisc(setup.ports(), &painter);
    writeIndex(out / "index.html", report, setup.discFolder(), painter);
    std::printf("%s\n%s\n", check::summaryLine(report).c_str(), (out / "index.html").c_str());
    return report.exitStatus();
}

} // namespace discmenu::qt

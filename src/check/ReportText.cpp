#include "check/ReportWriters.h"

#include <algorithm>
#include <sstream>

namespace discmenu::check {

namespace {

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

// Each kind's name in the JSON report and its words in the text report.
struct KindWords {
    DiscKind kind;
    const char* name;
    const char* text;
};
constexpr KindWords kindWords[] = {
    {DiscKind::Unreadable, "unreadable", "unreadable disc"},
    {DiscKind::Service, "service", "service disc"},
    {DiscKind::SoftwareJob, "software-job", "software disc made for a job"},
    {DiscKind::Generic, "generic", "generic software disc"},
};

const KindWords& wordsFor(DiscKind kind) {
    const auto at = std::ranges::find(kindWords, kind, &KindWords::kind);
    return at != std::end(kindWords) ? *at : kindWords[0];
}

std::string kindText(DiscKind kind) {
    return wordsFor(kind).text;
}

// What a click does, in one or a few lines.
void writeItem(std::ostream& out, const DiscReport& r, const ItemAction& a) {
    out << "    " << a.caption << "\n";
    auto line = [&](const std::string& s) { out << "        " << s << "\n"; };
    if (a.page >= 0) {
        const Page& to = r.pages[static_cast<std::size_t>(a.page)];
        line("-> page " + std::to_string(to.id + 1) + " " + quoted(to.title) +
             (to.job.empty() ? "" : " (job " + to.job + ")"));
    }
    for (const std::string& m : a.messages)
        line("message " + quoted(m));
    if (a.searched()) {
        line("searches " + a.searchFolder + " for " + quoted(a.searchPrefix) + "*." +
             a.searchExtension + ": " + std::to_string(a.searchMatches.size()) + " match" +
             (a.searchMatches.size() == 1 ? "" : "es"));
    }
    for (const std::string& o : a.opens)
        line("opens " + o);
    for (const std::string& c : a.runs)
        line("runs " + c);
    if (a.opensBrowser()) {
        line("file browser " + quoted(a.browserCaption) + ", " + a.browserPattern + ": " +
             std::to_string(a.browserFiles.size()) + " file" +
             (a.browserFiles.size() == 1 ? "" : "s"));
        for (const std::string& f : a.browserFiles)
            line("  " + f);
    }
    if (a.opensDialog())
        line("dialog " + quoted(a.dialogCaption) +
             (a.dialogSource.empty() ? "" : ", installs from " + a.dialogSource));
    if (a.page < 0 && a.opens.empty() && a.runs.empty() && !a.opensBrowser() && !a.opensDialog() &&
        a.messages.empty())
        line("does nothing");
}

} // namespace

const char* kindName(DiscKind kind) {
    return wordsFor(kind).name;
}

std::size_t itemCount(const DiscReport& r) {
    std::size_t n = r.fixedItems.size();
    for (const Page& p : r.pages)
        n += p.items.size();
    return n;
}

std::string summaryLine(const DiscReport& r) {
    std::ostringstream s;
    s << kindText(r.kind);
    if (r.kind != DiscKind::Unreadable) {
        s << ": " << r.pages.size() << " pages, " << itemCount(r) << " items";
        if (r.kind == DiscKind::Service)
            s << ", " << r.jobs.size() << " job" << (r.jobs.size() == 1 ? "" : "s");
        s << ", " << r.files << " files in " << r.folders << " folders, "
          << (r.bytes + 512 * 1024) / (1024 * 1024) << " MB";
    }
    s << "; ";
    if (r.problems.empty())
        s << "no problems";
    else
        s << r.problems.size() << " problem" << (r.problems.size() == 1 ? "" : "s");
    return s.str();
}

void writeText(std::ostream& out, const DiscReport& r, const std::string& folder) {
    out << "Disc      " << folder << "\n";
    out << "Kind      " << kindText(r.kind) << "\n";
    if (r.kind != DiscKind::Unreadable) {
        out << "CDRoot    " << r.CDRoot << "\n";
        out << "CDPath    " << r.CDPath << "\n";
        out << "CDBase    " << r.CDBase << "\n";
        out << "CDVersion " << r.CDVersion << "\n";
        out << "Header    " << quoted(r.title) << "  " << quoted(r.rmaTitle) << "  "
            << quoted(r.version) << "  " << quoted(r.date) << "\n";
        if (!r.jobs.empty()) {
            out << "Jobs     ";
            for (const std::string& j : r.jobs)
                out << " " << j;
            out << "\n";
        }
        out << "\nOn every page\n";
        for (const ItemAction& a : r.fixedItems)
            writeItem(out, r, a);
        for (const Page& p : r.pages) {
            out << "\nPage " << p.id + 1 << ": " << p.title;
            if (!p.job.empty())
                out << " (job " << p.job << ")";
            out << "    window " << quoted(p.windowTitle) << "\n";
            for (const ItemAction& a : p.items)
                writeItem(out, r, a);
        }
    }
    out << "\nProblems: " << r.problems.size() << "\n";
    for (const Problem& p : r.problems)
        out << "  " << p.kind << ": " << p.reason << "\n      " << p.path << "\n";
    out << "\n" << summaryLine(r) << "\n";
}

} // namespace discmenu::check

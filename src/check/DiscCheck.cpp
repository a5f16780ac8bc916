#include "check/DiscCheck.h"
#include "app/DiscLayout.h"

#include "app/ModMain.h"
#include "app/TextFile.h"
#include "check/MenuWalk.h"
#include "check/NameRules.h"
#include "menu/FormMain.h"
#include "platform/ConsoleCommand.h"
#include "platform/Listing.h"
#include "platform/Text.h"
#include "platform/WindowsPath.h"

#include <set>
#include <span>

namespace discmenu::check {

namespace {

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

// The names, each quoted, separated by commas.
std::string quotedList(std::span<const std::string> names) {
    std::string out;
    for (const std::string& name : names)
        out += (out.empty() ? "" : ", ") + quoted(name);
    return out;
}

void add(DiscReport& r, std::string kind, std::string reason, std::string path) {
    r.problems.push_back({std::move(kind), std::move(reason), std::move(path)});
}

// The first line of a version or job file, as the menu reads it.
std::optional<std::string> firstLine(const FileSystem& fs, const std::string& path) {
    auto file = openTextFile(fs, path);
    return file ? file->readLine() : std::nullopt;
}

// The job folders and the version folder of a service disc, as the start-up tells them
// apart, and the names it passes over or takes for something they are not.
void checkServiceFolders(const CheckPorts& ports, const TreeIndex& tree, ModMain& mod,
                         DiscReport& r) {
    // The root's folders as the walk of the tree met them, when the root is the tree's.
    std::vector<FolderEntry> listed;
    if (tree.met(mod.CDRoot)) {
        for (const std::string& name : tree.rootFolders())
            listed.push_back({name, {}, {}});
    } else if (auto folders = ports.fs.subfolders(mod.CDRoot)) {
        listed = std::move(*folders);
    }
    putInListingOrder(listed);
    std::vector<std::string> versionFolders;
    for (const FolderEntry& f : listed) {
        const std::size_t len = text::length(f.name);
        const std::string path = mod.CDRoot + (mod.CDRoot.ends_with('\\') ? "" : "\\") + f.name;
        if (f.name.ends_with(')')) {
            if (len < layout::versionColumn) {
                add(r, "skipped-folder",
                    "ends in \")\" but is too short to name a version; the start-up skips it",
                    path);
                continue;
            }
            versionFolders.push_back(f.name);
            if (!f.name.starts_with(layout::versionFolderStart))
                add(r, "skipped-folder",
                    "ends in \")\", so the start-up takes it for the version folder (version " +
                        quoted(
                            text::mid(f.name, layout::versionColumn, len - layout::versionColumn)) +
                        ")",
                    path);
        } else if (f.name == layout::jobFolderEnd) {
            add(r, "skipped-folder",
                "a job folder without a job number; the job list gets an empty entry", path);
        } else if (!text::endsWith(f.name, layout::jobFolderEnd) &&
                   text::lowerContains(f.name, "_cd_content")) {
            add(r, "skipped-folder",
                "does not end in exactly \"_CD_Contents\"; the start-up does not list it as a job",
                path);
        }
    }
    if (versionFolders.size() > 1)
        add(r, "several-matches",
            std::to_string(versionFolders.size()) + " version folders; the start-up takes " +
                quoted(versionFolders.back()) + ", not " +
                quotedList(std::span(versionFolders).first(versionFolders.size() - 1)),
            mod.CDRoot);
    const std::string versionFile = layout::versionFile(mod.CDRoot);
    if (!versionFolders.empty()) {
        const std::string& name = versionFolders.back();
        const std::string fromFolder =
            text::mid(name, layout::versionColumn, text::length(name) - layout::versionColumn);
        if (auto fromFile = firstLine(ports.fs, versionFile); fromFile && *fromFile != fromFolder)
            add(r, "version-mismatch",
                "the version file says " + quoted(*fromFile) + ", the version folder " +
                    quoted(fromFolder) + "; the menu shows " + quoted(mod.CDVersion),
                versionFile);
    }
    if (!ports.fs.folderExists(mod.CDPath))
        add(r, "missing-target",
            "the software folder of version " + quoted(mod.CDVersion) + " is not on the disc",
            mod.CDPath);
}

// The job file of a software disc, as the start-up reads it.
void checkJobFiles(const CheckPorts& ports, ModMain& mod, DiscReport& r) {
    auto files = ports.fs.files(mod.CDPath);
    if (!files)
        return;
    putInListingOrder(*files);
    std::vector<std::string> jobFiles;
    for (const FolderEntry& f : *files) {
        if (text::lower(text::right(f.name, 4)) == layout::jobFileEnd)
            jobFiles.push_back(f.name);
    }
    if (jobFiles.size() > 1)
        add(r, "several-matches",
            std::to_string(jobFiles.size()) + " job files; the start-up takes " +
                quoted(jobFiles.back()) + ", not " +
                quotedList(std::span(jobFiles).first(jobFiles.size() - 1)),
            mod.CDPath);
    if (mod.JobName.empty())
        return;
    const std::string path = layout::jobFile(mod.CDPath, mod.JobName);
    if (mod.JobDate.contains('\n') || mod.CDVersion.contains('\n'))
        add(r, "job-file-no-date",
            "its lines end in a line feed alone, so the whole file is read as one line", path);
    else if (mod.JobDate.empty())
        add(r, "job-file-no-date",
            "the job file has no date line; the header reads \"Job Completed: \" alone", path);
}

// Whether a path is on the disc: from the tree walk where the path lies on the disc, from
// the file system elsewhere.
struct Presence {
    const FileSystem& fs;
    const TreeIndex& tree;
    bool any(const std::string& path) const {
        if (auto met = tree.met(path))
            return *met;
        return fs.fileExists(path) || fs.folderExists(path);
    }
};

// What a click would open, run or list that is not on the disc, or that the menu picks
// among several.
void checkItem(const Presence& on, const ItemAction& a, DiscReport& r) {
    const std::string item = quoted(a.caption);
    if (a.searched()) {
        if (!on.any(a.searchFolder))
            add(r, "missing-target", item + " searches a folder that is not on the disc",
                a.searchFolder);
        else if (a.searchMatches.empty())
            add(r, "missing-target",
                item + ": no file starts with " + quoted(a.searchPrefix) + " and ends with " +
                    quoted(a.searchExtension),
                a.searchFolder);
        else if (a.searchMatches.size() > 1) {
            std::vector<std::string> others;
            for (std::size_t i = 1; i < a.searchMatches.size(); ++i)
                others.push_back(winpath::lastName(a.searchMatches[i]));
            add(r, "several-matches",
                item + ": " + std::to_string(a.searchMatches.size()) +
                    " files match; the menu opens " +
                    quoted(winpath::lastName(a.searchMatches[0])) + ", not " + quotedList(others),
                a.searchMatches[0]);
        }
    }
    for (const std::string& target : a.opens) {
        if (!a.searched() && !on.any(target))
            add(r, "missing-target", item + " opens what is not on the disc", target);
    }
    for (const std::string& command : a.runs) {
        const auto console = parseConsoleCommand(command);
        if (!console)
            continue;
        const std::string& folder = console->folder;
        if (!on.any(folder))
            add(r, "missing-target", item + " opens a console on a folder that is not on the disc",
                folder);
        else if (!console->name.empty() && !on.any(folder + "\\" + console->name))
            add(r, "missing-target", item + " lists a tool that is not on the disc",
                folder + "\\" + console->name);
    }
    if (a.opensBrowser() && a.browserFiles.empty())
        add(r, "empty-browser", item + " is shown, but no file matches " + quoted(a.browserPattern),
            r.CDPath);
    if (!a.dialogSource.empty() && !on.any(a.dialogSource))
        add(r, "missing-target", item + " installs from a folder that is not on the disc",
            a.dialogSource);
}

// One problem per kind and path, in the order they were found.
void dropRepeats(std::vector<Problem>& problems) {
    std::set<std::pair<std::string, std::string>> seen;
    std::erase_if(problems, [&](const Problem& p) {
        return !seen.insert({p.kind, p.path}).second;
    });
}

} // namespace

DiscReport checkDisc(const CheckPorts& ports, PageWatcher* watcher) {
    DiscReport r;
    // The tree first, so that the walk of the menu learns from it what is on the disc
    // instead of asking the machine name by name. What the tree holds joins the report
    // once the menu has started.
    DiscReport tree;
    NameRules names(tree, ports.treeRoot);
    const Outcome walked = ports.tree.walk(names);
    MenuWalk walk(ports, watcher, walked ? &names.index() : nullptr);
    if (!walk.start()) {
        r.kind = DiscKind::Unreadable;
        const auto& said = walk.startUpMessages();
        add(r, "unreadable",
            said.empty() ? "the disc cannot be read" : text::replaceAll(said.front(), "\r\n", " "),
            ports.treeRoot);
        return r;
    }
    ModMain& mod = walk.mod();
    r.kind = !mod.CDRoot.empty()    ? DiscKind::Service
             : !mod.JobName.empty() ? DiscKind::SoftwareJob
                                    : DiscKind::Generic;
    r.CDRoot = mod.CDRoot;
    r.CDPath = mod.CDPath;
    r.CDBase = mod.CDBase;
    r.CDVersion = mod.CDVersion;
    r.JobDate = mod.JobDate;
    r.JobName = mod.JobName;
    r.RMAList = mod.RMAList;
    const FormMain& main = mod.formMain();
    r.title = main.headerLabel("lblTitle").caption();
    r.rmaTitle = main.headerLabel("lblRMATitle").caption();
    r.version = main.headerLabel("lblVersion").caption();
    r.date = main.headerLabel("lblDate").caption();
    if (r.kind == DiscKind::Service)
        r.jobs = main.lstRMA().entries();

    walk.walk(r);
    r.folders = tree.folders;
    r.files = tree.files;
    r.bytes = tree.bytes;
    if (!walked) {
        r.kind = DiscKind::Unreadable;
        add(r, "unreadable", walked.error().description, ports.treeRoot);
    }
    if (r.kind == DiscKind::Service)
        checkServiceFolders(ports, names.index(), mod, r);
    else if (r.kind != DiscKind::Unreadable)
        checkJobFiles(ports, mod, r);
    if (r.CDVersion.empty())
        add(r, "missing-target", "no version is found; the header reads \"Version \" alone",
            layout::versionFile(r.kind == DiscKind::Service ? r.CDRoot : r.CDPath));
    const Presence on{ports.fs, names.index()};
    for (const ItemAction& a : r.fixedItems)
        checkItem(on, a, r);
    for (const Page& page : r.pages) {
        for (const ItemAction& a : page.items)
            checkItem(on, a, r);
    }
    names.finish();
    r.problems.insert(r.problems.end(), tree.problems.begin(), tree.problems.end());
    dropRepeats(r.problems);
    return r;
}

} // namespace discmenu::check

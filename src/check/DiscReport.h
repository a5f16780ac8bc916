#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace discmenu::check {

// What a click on one menu item does, as the menu really did it.
struct ItemAction {
    std::string caption;
    int page = -1;                     // the page it leads to; -1 when it stays
    std::vector<std::string> opens;    // paths handed to the shell
    std::vector<std::string> runs;     // command lines started
    std::vector<std::string> messages; // message boxes shown (answered OK)
    std::string browserPattern;        // the file browser, when it opens one
    std::string browserCaption;
    std::vector<std::string> browserFiles;
    std::string dialogCaption; // the destination dialog, when it opens it
    std::string dialogSource;  // the package folder its Save installs from
    // The search by name prefix the item made, when it made one.
    std::string searchPrefix;
    std::string searchExtension;
    std::string searchFolder;
    std::vector<std::string> searchMatches; // full paths, the one the menu opens first

    bool opensBrowser() const { return !browserCaption.empty(); }
    bool opensDialog() const { return !dialogCaption.empty(); }
    bool searched() const { return !searchPrefix.empty() || !searchFolder.empty(); }
};

// A page of the main window as the menu builds it.
struct Page {
    int id = 0;
    std::string title;       // CurrentMenu
    std::string windowTitle; // the window caption while it shows
    std::string job;         // the job whose page it is (service discs' "Main Menu")
    std::vector<ItemAction> items;
};

// Something on the disc that the menu will get wrong or that will not survive burning.
struct Problem {
    std::string kind;
    std::string reason; // one line
    std::string path;
    bool operator==(const Problem&) const = default;
};

enum class DiscKind { Unreadable, Service, SoftwareJob, Generic };

struct DiscReport {
    DiscKind kind = DiscKind::Unreadable;
    // The shared disc state after start-up.
    std::string CDRoot;
    std::string CDPath;
    std::string CDBase;
    std::string CDVersion;
    std::string JobDate;
    std::string JobName;
    std::string RMAList;
    // The header of the main window and the job list.
    std::string title;
    std::string rmaTitle;
    std::string version;
    std::string date;
    std::vector<std::string> jobs;
    // The two items every page shows, and the pages in menu order (the first page first).
    std::vector<ItemAction> fixedItems;
    std::vector<Page> pages;
    std::vector<Problem> problems;
    // The whole tree.
    std::uint64_t files = 0;
    std::uint64_t folders = 0;
    std::uint64_t bytes = 0;

    // 0 no problem, 1 problems found, 2 the disc could not be read.
    int exitStatus() const { return kind == DiscKind::Unreadable ? 2 : problems.empty() ? 0 : 1; }
};

// The kind as the JSON report names it.
const char* kindName(DiscKind kind);

} // namespace discmenu::check

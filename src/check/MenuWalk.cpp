#include "check/MenuWalk.h"

#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "savedlg/FormFileSave.h"
#include "savedlg/InstallSets.h"

#include <algorithm>

namespace discmenu::check {

namespace {
constexpr const char* returnItem = "Return to Previous Menu";
// Enough for every way back the menu has; more would mean a page without one.
constexpr int maxReturns = 4;
constexpr int maxMatches = 10000;
} // namespace

MenuWalk::MenuWalk(const CheckPorts& ports, PageWatcher* watcher, const TreeIndex* tree)
    : m_ports(ports), m_watcher(watcher), m_fs(ports.fs, tree) {}

MenuWalk::~MenuWalk() {
    if (m_mod && m_watcher)
        m_watcher->moduleEnding(*m_mod);
}

bool MenuWalk::start() {
    restart();
    m_startUpMessages = m_messages.prompts;
    // The menu's start-up says so in a message when the disc's folder cannot be read.
    return m_messages.prompts.empty();
}

void MenuWalk::restart() {
    if (m_mod && m_watcher)
        m_watcher->moduleEnding(*m_mod);
    m_mod.reset();
    m_jobIndex.clear();
    m_messages.prompts.clear();
    m_mod = std::make_unique<ModMain>(Ports{m_fs, m_launcher, m_messages, m_desktop, m_ports.env},
                                      m_trace);
    m_mod->Main();
    m_service = !m_mod->CDRoot.empty();
}

const std::string& MenuWalk::currentKey() {
    // Built in place, in the same buffer each time: the walk asks after every click.
    const FormMain& main = m_mod->formMain();
    m_key = m_mod->CurrentMenu;
    if (m_service && m_key == "Main Menu") {
        m_key += '\x1f';
        m_key += main.lstRMA().text();
    }
    // The visible items, as FormMain::visibleItems tells them.
    for (int i = 2; i <= main.lblMainUBound() && main.lblMain(i).visible(); ++i) {
        m_key += '\x1e';
        m_key += main.lblMain(i).caption();
    }
    return m_key;
}

bool MenuWalk::selectJob(const std::string& job) {
    ui::ListBox& jobs = m_mod->formMain().lstRMA();
    const auto& entries = jobs.entries();
    // Where each job stands in the list, learnt once per start of the menu: a search of the
    // whole list for every job picked would make a disc cost the square of its jobs.
    if (m_jobIndex.empty()) {
        for (std::size_t i = 0; i < entries.size(); ++i)
            m_jobIndex.try_emplace(entries[i], i); // the first of equal names, as a search finds
    }
    std::size_t index = 0;
    if (auto known = m_jobIndex.find(job); known != m_jobIndex.end() &&
                                           known->second < entries.size() &&
                                           entries[known->second] == job) {
        index = known->second;
    } else {
        const auto at = std::find(entries.begin(), entries.end(), job);
        if (at == entries.end())
            return false;
        index = static_cast<std::size_t>(at - entries.begin());
    }
    // As the user picks it: the list's own click builds the job's page.
    jobs.userSelect(-1);
    jobs.setListIndex(static_cast<int>(index));
    return true;
}

bool MenuWalk::clickCaption(const std::string& caption) {
    const auto items = m_mod->formMain().visibleItems();
    const auto at = std::find(items.begin(), items.end(), caption);
    if (at == items.end())
        return false;
    m_mod->formMain().raise(
        ui::UiEvent::of(ui::EventKind::Click, "lblMain", 2 + static_cast<int>(at - items.begin())));
    return true;
}

void MenuWalk::goHome(const std::string& job) {
    for (int i = 0; i < maxReturns && clickCaption(returnItem); ++i) {
    }
    if (m_service &&
        (m_mod->CurrentMenu != "Main Menu" || m_mod->formMain().lstRMA().text() != job))
        selectJob(job);
}

bool MenuWalk::goTo(const Place& place) {
    if (currentKey() == place.key)
        return true;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (attempt == 1)
            restart(); // a page without a way back: start the menu afresh
        goHome(place.job);
        bool ok = true;
        for (const std::string& caption : place.clicks)
            ok = ok && clickCaption(caption);
        if (ok && currentKey() == place.key)
            return true;
    }
    return false;
}

void MenuWalk::recordSearch(ItemAction& action) {
    if (!m_mod->lastPrefixSearch)
        return;
    const ModMain::PrefixSearch search = *m_mod->lastPrefixSearch;
    action.searchPrefix = search.prefix;
    action.searchExtension = search.extension;
    action.searchFolder = m_mod->CDPath + search.subfolder;
    // The menu's own search, asked again without each file it found, names every match
    // from the one the menu picks down to the first in listing order.
    for (int i = 0; i < maxMatches; ++i) {
        auto found = m_mod->FindFileByPrefix(search.prefix, search.extension, search.subfolder);
        if (!found || found->empty())
            break;
        if (std::find(action.searchMatches.begin(), action.searchMatches.end(), *found) !=
            action.searchMatches.end())
            break;
        action.searchMatches.push_back(*found);
        m_fs.hide(*found);
    }
    m_fs.showAll();
}

ItemAction MenuWalk::click(int slot) {
    FormMain& main = m_mod->formMain();
    ItemAction action;
    action.caption = main.lblMain(slot).caption();
    m_launcher.opens.clear();
    m_launcher.runs.clear();
    m_messages.prompts.clear();
    m_mod->lastPrefixSearch.reset();
    if (m_mod->hasFormFiles())
        m_mod->formFiles().hide();
    if (m_mod->hasFormFileSave())
        m_mod->formFileSave().hide();

    main.raise(ui::UiEvent::of(ui::EventKind::Click, "lblMain", slot));

    action.opens = m_launcher.opens;
    action.runs = m_launcher.runs;
    action.messages = m_messages.prompts;
    if (m_mod->hasFormFiles() && m_mod->formFiles().visible()) {
        FormFiles& files = m_mod->formFiles();
        action.browserCaption = files.caption();
        action.browserPattern = files.FileMain().pattern();
        action.browserFiles = files.FileMain().names();
    }
    if (m_mod->hasFormFileSave() && m_mod->formFileSave().visible()) {
        action.dialogCaption = m_mod->formFileSave().caption();
        if (const InstallSet* set = installSetFor(action.dialogCaption))
            action.dialogSource = m_mod->CDPath + std::string(set->sourceFolder);
    }
    const auto search = m_mod->lastPrefixSearch;
    recordSearch(action);
    m_mod->lastPrefixSearch = search;
    return action;
}

int MenuWalk::explore(Place place, DiscReport& report) {
    place.key = currentKey();
    if (auto seen = m_seen.find(place.key); seen != m_seen.end())
        return seen->second;
    const int id = static_cast<int>(report.pages.size());
    m_seen.emplace(place.key, id);
    const bool jobPage = m_service && m_mod->CurrentMenu == "Main Menu";
    report.pages.push_back({.id = id,
                            .title = m_mod->CurrentMenu,
                            .windowTitle = m_mod->formMain().caption(),
                            .job = jobPage ? place.job : std::string(),
                            .items = {}});
    if (m_watcher)
        m_watcher->pageShown(*m_mod, report.pages.back());

    const auto captions = m_mod->formMain().visibleItems();
    for (std::size_t k = 0; k < captions.size(); ++k) {
        if (!goTo(place))
            break;
        ItemAction action = click(2 + static_cast<int>(k));
        if (action.opensBrowser() && m_watcher)
            m_watcher->browserShown(*m_mod, report.pages[static_cast<std::size_t>(id)], action);
        if (currentKey() != place.key) {
            Place next = place;
            next.clicks.push_back(captions[k]);
            action.page = explore(next, report);
        }
        report.pages[static_cast<std::size_t>(id)].items.push_back(std::move(action));
    }
    return id;
}

void MenuWalk::walk(DiscReport& report) {
    FormMain& main = m_mod->formMain();
    // The two fixed items, once: every page shows them and they change nothing.
    for (int slot : {0, 1})
        report.fixedItems.push_back(click(slot));

    if (!m_service) {
        explore(Place{}, report);
        return;
    }
    const std::vector<std::string> jobs = main.lstRMA().entries();
    for (const std::string& job : jobs) {
        // Picked in the job list, from whatever page shows: the job's own page.
        if (m_mod->formMain().lstRMA().text() != job || m_mod->CurrentMenu != "Main Menu")
            selectJob(job);
        explore(Place{job, {}, {}}, report);
    }
}

} // namespace discmenu::check

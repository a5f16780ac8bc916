#pragma once

#include "app/ModMain.h"
#include "app/Trace.h"
#include "check/DiscCheck.h"
#include "check/HidingFileSystem.h"
#include "check/Recorders.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace discmenu::check {

// Starts the menu on the disc and walks it by clicks: every item of every reachable page,
// once, in menu order. One module serves the whole walk; a page is reached again by the
// menu's own way back ("Return to Previous Menu", a job picked in the job list) and the
// clicks that led to it.
class MenuWalk {
public:
    // tree: the disc's walked tree, which tells what exists on the disc, when it was read.
    MenuWalk(const CheckPorts& ports, PageWatcher* watcher, const TreeIndex* tree = nullptr);
    ~MenuWalk();
    MenuWalk(const MenuWalk&) = delete;
    MenuWalk& operator=(const MenuWalk&) = delete;

    // Start-up as the menu does it; false when the disc's folder could not be read.
    bool start();
    ModMain& mod() { return *m_mod; }
    const std::vector<std::string>& startUpMessages() const { return m_startUpMessages; }
    // Walks every page into the report.
    void walk(DiscReport& report);

private:
    struct Place {
        std::string job;
        std::vector<std::string> clicks; // captions clicked from the job's first page
        std::string key;                 // the page's identity, once known
    };

    void restart();
    // The page the menu shows: its title, its job and its items; valid until the next call.
    const std::string& currentKey();
    bool goTo(const Place& place);
    void goHome(const std::string& job);
    bool selectJob(const std::string& job);
    bool clickCaption(const std::string& caption);
    int explore(Place place, DiscReport& report);
    ItemAction click(int slot);
    void recordSearch(ItemAction& action);

    CheckPorts m_ports;
    PageWatcher* m_watcher;
    HidingFileSystem m_fs;
    RecordingLauncher m_launcher;
    RecordingMessageBoxes m_messages;
    QuietDesktop m_desktop;
    Trace m_trace;
    std::unique_ptr<ModMain> m_mod;
    std::vector<std::string> m_startUpMessages;
    std::map<std::string, int> m_seen;
    std::string m_key;
    std::unordered_map<std::string, std::size_t> m_jobIndex; // each job's place in the job list
    bool m_service = false;
};

} // namespace discmenu::check

#include "app/DiscLayout.h"
#include "app/ModMain.h"
#include "app/TextFile.h"
#include "menu/FormMain.h"
#include "platform/Listing.h"
#include "platform/Text.h"

#include <algorithm>

namespace discmenu {

namespace {
constexpr int jobEntryHeight = 225;
} // namespace

void ModMain::ReadJobFile() {
    auto files = fs().files(CDPath);
    if (!files)
        return;
    putInListingOrder(*files);
    for (const FolderEntry& f : *files) {
        if (text::lower(text::right(f.name, 4)) != layout::jobFileEnd)
            continue;
        JobName = text::left(f.name, text::length(f.name) - 4);
        auto job = openTextFile(fs(), layout::jobFile(CDPath, JobName));
        if (!job)
            continue; // neither line read: CDVersion and JobDate stay as they were
        if (auto line = job->readLine())
            CDVersion = *line;
        if (auto second = job->readLine()) {
            JobDate = *second;
            continue;
        }
        // The one-line form: its line is the date; the version comes from the version file.
        JobDate = CDVersion;
        if (auto version = openTextFile(fs(), layout::versionFile(CDPath))) {
            if (auto line = version->readLine())
                CDVersion = *line;
        }
    }
    if (!JobName.empty())
        IsGenericCD = false;
}

void ModMain::ShowSoftwareDisc() {
    if (!JobName.empty())
        formMain().lblRMATitle().setCaption("Job Number " + JobName);
    formMain().lblTitle().setCaption("Software CD");
    formMain().show();
}

Outcome ModMain::ScanServiceFolders() {
    RMAList.clear();
    auto folders = fs().subfolders(CDPath);
    if (!folders)
        return std::unexpected(folders.error());
    putInListingOrder(*folders);
    for (const FolderEntry& f : *folders) {
        DoEvents();
        const std::size_t len = text::length(f.name);
        if (f.name.ends_with(')')) {
            // A name shorter than "CD Current Version (" and ")" holds no version.
            if (len < layout::versionColumn)
                continue;
            CDVersion = text::mid(f.name, layout::versionColumn, len - layout::versionColumn);
            const std::string stamp = m_ports.env.dateTimeText(f.modified);
            JobDate = stamp.substr(0, stamp.find(' '));
        } else if (text::right(f.name, layout::jobFolderEnd.size()) == layout::jobFolderEnd) {
            const std::string id = text::left(f.name, len - layout::jobFolderEnd.size());
            ui::ListBox& jobs = formMain().lstRMA();
            if (!RMAList.empty()) {
                jobs.addItem(id);
                jobs.setVisible(true);
            } else {
                RMAList = id;
                jobs.clear();
                jobs.addItem(id);
            }
        }
    }

    ui::ListBox& jobs = formMain().lstRMA();
    RMAList.clear();
    for (int i = 0; i < jobs.listCount(); ++i)
        RMAList += (i == 0 ? "" : i == jobs.listCount() - 1 ? " and " : ", ") + jobs.list(i);
    // Every entry stays reachable: the list never reaches below the window's client
    // area, it scrolls instead.
    const long long wanted = static_cast<long long>(jobs.listCount()) * jobEntryHeight;
    const long long room = std::max(formMain().clientHeight() - jobs.top(), jobEntryHeight);
    jobs.setHeight(static_cast<int>(std::min(wanted, room)));
    return {};
}

void ModMain::ShowServiceDisc() {
    FormMain& main = formMain();
    main.lblRMATitle().setCaption("RMA # " + RMAList);
    main.lblVersion().setCaption("Version " + CDVersion);
    main.lblDate().setCaption("Services completed: " + JobDate);
    main.lstRMA().setListIndex(0);
    main.show();
}

} // namespace discmenu

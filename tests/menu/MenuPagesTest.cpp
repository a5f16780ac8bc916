#include "DiscFixture.h"
#include "menu/FormMain.h"
#include "savedlg/FormFileSave.h"

#include <tuple>

namespace discmenu::test {
namespace {

using Items = std::vector<std::string>;

class MenuPages : public DiscFixture {
protected:
    FormMain& main() { return m_mod->formMain(); }
    Items items() { return main().visibleItems(); }
};

TEST_F(MenuPages, JobMainMenuShowsWhatTheJobFolderHolds) {
    file("1001_CD_Contents/SERVICE REPORT.PDF"); // other letter case still counts
    folder("1001_CD_Contents/calibration documents");
    folder("1001_CD_Contents/Configuration Documents");
    folder("1001_CD_Contents/con & ini files");
    folder("1001_CD_Contents/recovered data");
    folder("1002_CD_Contents/calibration documents");
    folder("1002_CD_Contents/recovered data");
    file("1002_CD_Contents/service Report.pdf/inside"); // a folder of that name is no report
    folder("1003_CD_Contents");
    start();
    // The items before the one every job page ends with.
    const std::pair<const char*, const char*> rows[] = {
        {"1001", "View Service Report|View Calibration Documents|View Configuration Documents|"
                 "View .CON and .INI Files|View Recovered Data|"},
        {"1002", "View Calibration Documents|View Recovered Data|"},
        {"1003", ""},
        {"9999", ""}, // no such folder
    };
    for (const auto& [job, expected] : rows) {
        main().ShowJobMenu(job);
        std::string shown;
        for (int slot = 2; slot <= main().lblMainUBound(); ++slot) {
            // Each item takes the first row's look, with no gap for the skipped ones.
            const ui::Label& item = main().lblMain(slot);
            if (!item.visible())
                continue;
            shown += item.caption() + "|";
            EXPECT_EQ(std::tuple(item.left(), item.top(), item.width(), item.height(),
                                 item.font().points),
                      std::tuple(1560, 2400 + (slot - 2) * 255, 7095, 255, 9.75));
        }
        EXPECT_EQ(shown, expected + std::string("View included software and documentation|"));
        EXPECT_EQ(m_mod->CurrentMenu + "|" + main().caption(),
                  "Main Menu|Tidewell Software CD - " + std::string(job));
    }
    // The fixed bottom row is never touched.
    EXPECT_EQ(std::tuple(main().lblMain(0).top(), main().lblMain(0).font().points),
              std::tuple(4440, 12.0));
}

TEST_F(MenuPages, InstrumentDocumentationShowsTheKindsOfFilesPresent) {
    file("Shoal7.con");
    file("deck.INI");
    file("Shoal7 Manual.pdf");
    folder("calibration.cal"); // a folder: only files count
    start();
    ASSERT_TRUE(main().ShowInstrumentDocsMenu());
    EXPECT_EQ(items(), (Items{"View Instrument Manual(s)", "View .CON file(s)", "View .INI file(s)",
                              "Return to Previous Menu"}));

    std::filesystem::remove_all(m_disc);
    folder("autorun");
    ASSERT_TRUE(main().ShowInstrumentDocsMenu());
    EXPECT_EQ(items(), (Items{"Return to Previous Menu"}));

    // A folder that cannot be listed abandons the page at its first question.
    m_mod->CDPath = "D:\\gone";
    auto built = main().ShowInstrumentDocsMenu();
    ASSERT_FALSE(built);
    EXPECT_EQ(built.error().number(), 76);
    EXPECT_EQ(items(), Items{});
    EXPECT_EQ(m_mod->CurrentMenu, "Instrument Specific Documentation");
}

// The page "Return to Previous Menu" leads to, from each page of each kind of disc: its
// title, its number of items (the top page of a generic disc has no way back) and the
// window's title.
TEST_F(MenuPages, ReturnToPreviousMenu) {
    struct Row {
        const char* disc;
        const char* from;
        const char* to;
        std::size_t items;
        const char* title;
    };
    const char* software = "Included Software and Documentation";
    const Row rows[] = {
        {"generic", "DOS Utilities", software, 5, software},
        {"generic", software, software, 5, software},
        {"job", "Windows Software", software, 6, software},
        {"job", "Instrument Specific Documentation", "Main Menu", 2, "Main Menu"},
        {"job", software, "Main Menu", 2, "Main Menu"},
        {"service", "Software Documentation", software, 6, software},
        {"service", software, "Main Menu", 1, "1002"}, // the job selected at that moment
    };
    for (const Row& r : rows) {
        std::filesystem::remove_all(m_disc);
        file("autorun/version", "7.16");
        if (std::string(r.disc) == "job")
            file("A17.job", "7.16\r\nMarch 2007");
        if (std::string(r.disc) == "service") {
            folder("1001_CD_Contents/recovered data");
            folder("1002_CD_Contents");
        }
        start();
        main().lstRMA().setListIndex(main().lstRMA().listCount() - 1);
        m_mod->CurrentMenu = r.from;
        main().ShowPreviousMenu();
        EXPECT_EQ(m_mod->CurrentMenu + "|" + main().caption(),
                  r.to + std::string("|Tidewell Software CD - ") + r.title)
            << r.disc << " " << r.from;
        EXPECT_EQ(items().size(), r.items) << r.disc << " " << r.from;
    }
}

// The pointer and the keyboard on the main window, one event after the other, on a generic
// disc (the five items of the software page in slots 2 to 6): the item under the pointer or
// with the focus is yellow, all others white, hidden ones too; a click by the keyboard that
// changes the page asks for the focus on its first item.
TEST_F(MenuPages, PointerAndKeyboard) {
    file("autorun/version", "7.16");
    start();
    auto colours = [&] {
        std::string c;
        for (int i = 0; i <= main().lblMainUBound(); ++i)
            c += main().lblMain(i).foreColor() == ui::Yellow ? 'Y' : 'w';
        return c;
    };
    auto focus = [](ui::Form& form) {
        const ui::Control* to = form.takeFocusRequest();
        return to ? to->displayName() : "-";
    };
    auto tabs = [](const ui::Form& form) {
        std::string names;
        for (const ui::Control* c : form.tabOrder())
            names += c->displayName() +
                     (c->accessibleName().empty() ? "" : "=" + c->accessibleName()) + " ";
        return names + "esc:" + (form.cancelButton() ? form.cancelButton()->name() : "-");
    };
    using enum ui::EventKind;
    struct Row {
        ui::EventKind kind;
        const char* control;
        int index;
        bool byKeyboard;
        const char* shown; // the items' colours, and where the focus is asked for
    };
    const Row rows[] = {
        {MouseMove, "lblMain", 6, false, "wwwwwwY -"},
        {Click, "lblMain", 2, true, "wwwwwwY lblMain(2)"}, // the Windows page: 5 and 6 hidden
        {GotFocus, "lblMain", 4, false, "wwwwYww -"},
        // The mouse's click on "Return to Previous Menu" rebuilds the page under the pointer.
        {Click, "lblMain", 4, false, "wwwwYww -"},
        {Click, "lblMain", 1, true, "wwwwYww -"},      // "Browse this CD": the page stays
        {MouseMove, "Label1", -1, false, "wwwwYww -"}, // no handler
        {MouseMove, "lblRMATitle", -1, false, "wwwwwww -"},
        {GotFocus, "lblMain", 3, false, "wwwYwww -"},
        {GotFocus, "lstRMA", -1, false, "wwwwwww -"},
        {MouseMove, "lblMain", 0, false, "Ywwwwww -"},
        {MouseMove, "", -1, false, "wwwwwww -"}, // the window's background
    };
    main().takeFocusRequest();
    for (const Row& r : rows) {
        ui::UiEvent event = ui::UiEvent::of(r.kind, r.control, r.index);
        event.byKeyboard = r.byKeyboard;
        main().raise(event);
        EXPECT_EQ(colours() + " " + focus(main()), r.shown) << r.control << r.index;
        if (r.byKeyboard && r.index == 2) {
            EXPECT_EQ(tabs(main()), "lblMain(2) lblMain(3) lblMain(4) lblMain(0) lblMain(1) esc:-");
        }
    }

    // The dialog starts in its path box, and comes to the front, each time it shows.
    FormFileSave& dialog = m_mod->formFileSave();
    for (int shown = 0; shown < 2; ++shown) {
        dialog.show();
        EXPECT_TRUE(dialog.takeBringToFront());
        EXPECT_EQ(focus(dialog), "txtPath");
        EXPECT_EQ(tabs(dialog), "txtPath=Destination folder Dir1=Folders Drive1=Drives cmdSave "
                                "cmdCancel esc:cmdCancel");
        dialog.hide();
    }
}

} // namespace
} // namespace discmenu::test

#include "DiscFixture.h"
#include "menu/FormMain.h"

namespace discmenu::test {
namespace {

using Items = std::vector<std::string>;

class MenuPages : public DiscFixture {
protected:
    FormMain& main() { return m_mod->formMain(); }
    Items items() { return main().visibleItems(); }
};

const Items included = {"Install windows software",
                        "Install DOS software",
                        "Install Adobe Acorbat Reader (Required to view .PDF documents)",
                        "DOS utilities",
                        "View software documentation",
                        "Return to Previous Menu"};

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
    folder("CD Current Version (7.16)/Components");
    start();
    struct Row {
        const char* job;
        Items items;
    };
    const std::vector<Row> rows = {
        {"1001",
         {"View Service Report", "View Calibration Documents", "View Configuration Documents",
          "View .CON and .INI Files", "View Recovered Data",
          "View included software and documentation"}},
        {"1002",
         {"View Calibration Documents", "View Recovered Data",
          "View included software and documentation"}},
        {"1003", {"View included software and documentation"}},
        {"9999", {"View included software and documentation"}}, // no such folder
    };
    for (const Row& r : rows) {
        main().ShowJobMenu(r.job);
        EXPECT_EQ(items(), r.items) << r.job;
        EXPECT_EQ(m_mod->CurrentMenu, "Main Menu");
        EXPECT_EQ(main().caption(), std::string("Tidewell Software CD - ") + r.job);
        // Skipped items leave no gap.
        for (int slot = 2; slot < 2 + static_cast<int>(r.items.size()); ++slot)
            EXPECT_EQ(main().lblMain(slot).top(), 2400 + (slot - 2) * 255) << r.job;
    }
}

TEST_F(MenuPages, ItemsTakeTheFirstRowAsTheirTemplate) {
    file("autorun/version", "7.16");
    start();
    FormMain& form = main();
    form.ShowIncludedSoftwareMenu(); // six items: slots 2 to 7
    ASSERT_EQ(form.lblMainUBound(), 7);
    for (int slot = 2; slot <= 7; ++slot) {
        const ui::Label& item = form.lblMain(slot);
        EXPECT_EQ(item.left(), 1560);
        EXPECT_EQ(item.top(), 2400 + (slot - 2) * 255);
        EXPECT_EQ(item.width(), 7095);
        EXPECT_EQ(item.height(), 255);
        EXPECT_EQ(item.font(), (ui::Font{"Arial", 9.75, true, true, false}));
        EXPECT_EQ(item.foreColor(), ui::White);
        EXPECT_TRUE(item.transparent());
    }
    // A shorter page hides the rest; they stay created.
    form.ShowWindowsSoftwareMenu();
    EXPECT_EQ(form.lblMainUBound(), 7);
    EXPECT_EQ(items(), (Items{"Install Brinext for Windows", "Install Brinext Swell for Windows",
                              "Return to Previous Menu"}));
    for (int slot = 5; slot <= 7; ++slot)
        EXPECT_FALSE(form.lblMain(slot).visible());
    // The fixed bottom row is never touched.
    EXPECT_TRUE(form.lblMain(0).visible());
    EXPECT_EQ(form.lblMain(0).top(), 4440);
    EXPECT_EQ(form.lblMain(1).left(), 6720);
    EXPECT_EQ(form.lblMain(0).font().points, 12);
}

TEST_F(MenuPages, InstrumentDocumentationShowsTheKindsOfFilesPresent) {
    file("Shoal7.con");
    file("deck.INI");
    file("Shoal7 Manual.pdf");
    start();
    ASSERT_TRUE(main().ShowInstrumentDocsMenu());
    EXPECT_EQ(items(), (Items{"View Instrument Manual(s)", "View .CON file(s)", "View .INI file(s)",
                              "Return to Previous Menu"}));

    std::filesystem::remove_all(m_disc);
    folder("autorun");
    ASSERT_TRUE(main().ShowInstrumentDocsMenu());
    EXPECT_EQ(items(), (Items{"Return to Previous Menu"}));
    EXPECT_EQ(main().lblMain(2).top(), 2400);

    // A folder that cannot be listed abandons the page at its first question.
    m_mod->CDPath = "D:\\gone";
    auto built = main().ShowInstrumentDocsMenu();
    ASSERT_FALSE(built);
    EXPECT_EQ(built.error().number(), 76);
    EXPECT_EQ(items(), Items{});
    EXPECT_EQ(m_mod->CurrentMenu, "Instrument Specific Documentation");
}

TEST_F(MenuPages, ReturnToPreviousMenu) {
    struct Row {
        const char* disc;
        const char* from;
        const char* to;
        Items items;
        const char* caption;
    };
    const Items top(included.begin(), included.end() - 1);
    const Items singleJob = {"View instrument specific documentation",
                             "View included software and documentation"};
    const Items job1002 = {"View included software and documentation"};
    const std::vector<Row> rows = {
        {"generic", "DOS Utilities", "Included Software and Documentation", top,
         "Included Software and Documentation"},
        {"generic", "Included Software and Documentation", "Included Software and Documentation",
         top, "Included Software and Documentation"},
        {"job", "Windows Software", "Included Software and Documentation", included,
         "Included Software and Documentation"},
        {"job", "Instrument Specific Documentation", "Main Menu", singleJob, "Main Menu"},
        {"job", "Included Software and Documentation", "Main Menu", singleJob, "Main Menu"},
        {"service", "Software Documentation", "Included Software and Documentation", included,
         "Included Software and Documentation"},
        // The job selected in the list at that moment decides.
        {"service", "Included Software and Documentation", "Main Menu", job1002, "1002"},
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
        EXPECT_EQ(m_mod->CurrentMenu, r.to) << r.disc << " " << r.from;
        EXPECT_EQ(items(), r.items) << r.disc << " " << r.from;
        EXPECT_EQ(main().caption(), std::string("Tidewell Software CD - ") + r.caption);
    }
}

TEST_F(MenuPages, SetWindowTitle) {
    start();
    main().SetWindowTitle("");
    EXPECT_EQ(main().caption(), "Tidewell Software CD - ");
    main().SetWindowTitle("Main Menu");
    EXPECT_EQ(main().caption(), "Tidewell Software CD - Main Menu");
}

} // namespace
} // namespace discmenu::test

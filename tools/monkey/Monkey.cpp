// monkey: the program's windows under seeded random input (moves, clicks, double-clicks,
// keys, typed paths, drive and folder changes, message-box answers, closing windows by
// their frame) on the sample discs, with real Qt windows and message boxes on the
// offscreen platform and launchers that only record. When the program ends, it starts
// again on the next sample disc.
//
//   monkey EVENTS [SEED [MAIN-CLOSE-PERCENT]]
// (with 0 the main window is never closed, so the whole run is one lifetime of the program)
// prints the resident memory after 1,000, 5,000 and every 10,000 events (and at the end),
// and in a run of 5,000 events or more fails when the anonymous part of it (the heap and
// the program's own data, not the pages of program and library files that are read in as
// new code runs) grows by more than 1 MiB after the first 1,000 events. Growth is judged
// on the least anonymous figure of the 500 events before the first sample and of the
// 1,000 before the last (read every 50 events): a figure at one instant also holds the
// buffers of the windows open at that instant, at the size the monkey last gave them
// (up to ~1 MiB apart), while memory that grows with the events raises the least figure
// as well.

#include "Rng.h"
#include "ScratchMachine.h"
#include "app/ModMain.h"
#include "app/Trace.h"
#include "check/Recorders.h"
#include "platform/posix/PosixEnvironment.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/MemoryUse.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <malloc.h>
#include <map>
#include <memory>

using namespace discmenu;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> discs = {"service-disc", "software-job-disc", "generic-disc"};

const std::vector<std::string> typedPaths = {"C:\\out",
                                             "C:\\out\\new",
                                             "C:\\a\\b\\c",
                                             "E:\\",
                                             "C:",
                                             "Q:\\x",
                                             "",
                                             "C:\\out\\..\\out",
                                             "C:\\bad:*?",
                                             "D:\\",
                                             "C:\\\xc3\xa9\xf0\x9f\x8c\x8a",
                                             "c:\\OUT",
                                             "\\\\server\\share",
                                             "C:\\ x. "};

// A field of /proc/self/status in KiB: VmRSS (all resident memory) or RssAnon (the part
// that is not pages of the program's and libraries' files).
long statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::strtol(line.c_str() + key.size(), nullptr, 10);
    }
    return 0;
}

// The program on one copy of a sample disc, as its entry wires it, but with recording
// launchers.
class Program {
public:
    explicit Program(const std::string& disc) {
        fs::copy(fs::path(DISCMENU_SAMPLES) / disc, m_machine.disc(), fs::copy_options::recursive);
        fs::create_directories(m_machine.home());
        fs::create_directories(m_machine.other());
        m_desktop = std::make_unique<qt::QtDesktop>();
        m_messages = std::make_unique<qt::QtMessageBoxes>(*m_desktop);
        m_mod = std::make_unique<ModMain>(
            Ports{m_machine.files(), m_launcher, *m_messages, *m_desktop, m_env}, m_trace);
        m_desktop->attach(*m_mod);
    }
    ~Program() {
        m_desktop.reset(); // the windows go before the forms they draw
        m_mod.reset();
    }
    void start() {
        m_mod->Main();
        m_desktop->sync();
    }
    bool over() { return m_desktop->ended() || m_mod->loadedForms().empty(); }
    // What the recording launchers heard is let go, so that it does not count as memory.
    void forget() {
        m_launcher.opens.clear();
        m_launcher.opens.shrink_to_fit();
        m_launcher.runs.clear();
        m_launcher.runs.shrink_to_fit();
    }

private:
    tools::ScratchMachine m_machine{"discmenu-monkey-"};
    posix::PosixEnvironment m_env{m_machine.paths().drives(),
                                  (m_machine.disc() / "autorun").string()};
    check::RecordingLauncher m_launcher;
    Trace m_trace;
    std::unique_ptr<qt::QtDesktop> m_desktop;
    std::unique_ptr<qt::QtMessageBoxes> m_messages;
    std::unique_ptr<ModMain> m_mod;
};

class Monkey {
public:
    Monkey(long events, std::uint64_t seed, int closeMainPercent)
        : m_events(events), m_rng(seed), m_disc(seed % discs.size()),
          m_closeMainPercent(closeMainPercent) {}

    int run();

private:
    void next();
    void act();
    void answer(QWidget* modal);
    void restart();
    std::vector<qt::FormWindow*> windows() const;
    QPoint somewhere(QWidget* w) {
        return {int(m_rng.below(std::max(1, w->width()))),
                int(m_rng.below(std::max(1, w->height())))};
    }
    template <class W> std::vector<W*> all(QWidget* window) const {
        std::vector<W*> out;
        for (W* w : window->findChildren<W*>())
            if (w->isVisible())
                out.push_back(w);
        return out;
    }

    long m_events;
    tools::Rng m_rng;
    long m_done = 0;
    std::size_t m_disc; // the sample disc started next
    int m_restarts = 0;
    int m_closeMainPercent; // of the main window's close events drawn, those carried out
    long m_leastAt1000 = 0; // least anonymous KiB of events 501 to 1,000
    long m_leastLast = 0;   // of the 1,000 events before the last sample
    long m_answered = 0;
    std::map<std::string, long> m_driven; // events per window
    std::unique_ptr<Program> m_program;
};

std::vector<qt::FormWindow*> Monkey::windows() const {
    std::vector<qt::FormWindow*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* f = dynamic_cast<qt::FormWindow*>(w);
        if (f && f->isVisible())
            out.push_back(f);
    }
    return out;
}

void Monkey::restart() {
    m_program.reset();
    QApplication::processEvents();
    m_program = std::make_unique<Program>(discs[m_disc++ % discs.size()]);
    ++m_restarts;
    m_program->start();
}

// A message box waiting for an answer gets one: a button, Enter, Escape or its frame.
void Monkey::answer(QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        ++m_answered;
        const auto buttons = box->buttons();
        switch (m_rng.below(4)) {
        case 0:
            QTest::keyClick(box, Qt::Key_Return);
            break;
        case 1:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        case 2:
            box->close();
            break;
        default:
            if (!buttons.isEmpty())
                buttons[static_cast<int>(m_rng.below(static_cast<std::size_t>(buttons.size())))]
                    ->click();
            else
                box->close();
        }
    }
    // A progress note goes away by itself when its copy is done.
}

void Monkey::act() {
    const auto shown = windows();
    if (shown.empty())
        return;
    qt::FormWindow* window = shown[m_rng.below(shown.size())];
    ++m_driven[window->form().name()];
    switch (m_rng.below(14)) {
    case 0:
    case 1: { // a move over a random point
        QWidget* target = window->childAt(somewhere(window));
        if (!target)
            target = window;
        QTest::mouseMove(target, somewhere(target));
        break;
    }
    case 2:
    case 3: { // a click on a random point
        const QPoint p = somewhere(window);
        QWidget* target = window->childAt(p);
        if (target)
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, p));
        else
            QTest::mouseClick(window, Qt::LeftButton, {}, p);
        break;
    }
    case 4:
    case 12: { // a click on one of the things shown: an item, a button, a list
        const auto children = all<QWidget>(window);
        if (children.empty())
            break;
        QWidget* target = children[m_rng.below(children.size())];
        QTest::mouseClick(target, Qt::LeftButton, {}, somewhere(target));
        break;
    }
    case 5: { // a double-click on a random point
        const QPoint p = somewhere(window);
        QWidget* target = window->childAt(p);
        if (!target)
            target = window;
        QTest::mouseDClick(target, Qt::LeftButton, {}, target->mapFrom(window, p));
        break;
    }
    case 6: { // a key where the focus is
        static const std::vector<int> keys = {Qt::Key_Return, Qt::Key_Escape,   Qt::Key_Tab,
                                              Qt::Key_Down,   Qt::Key_Up,       Qt::Key_Space,
                                              Qt::Key_A,      Qt::Key_Backspace};
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : window, static_cast<Qt::Key>(m_rng.pick(keys)));
        break;
    }
    case 7: { // a typed path, then Enter or a click elsewhere
        const auto boxes = all<QLineEdit>(window);
        if (boxes.empty())
            break;
        QLineEdit* box = boxes.front();
        box->setFocus();
        box->selectAll();
        const QString path = QString::fromStdString(m_rng.pick(typedPaths));
        bool ascii = true;
        for (QChar c : path)
            ascii = ascii && c.unicode() < 128;
        if (ascii)
            QTest::keyClicks(box, path);
        else
            box->insert(path); // the test library types ASCII only

        if (m_rng.chance(50))
            QTest::keyClick(box, Qt::Key_Return);
        else
            box->clearFocus();
        break;
    }
    case 8: { // another drive
        const auto combos = all<QComboBox>(window);
        if (combos.empty() || combos.front()->count() == 0)
            break;
        QComboBox* combo = combos.front();
        const int row = static_cast<int>(m_rng.below(static_cast<std::size_t>(combo->count())));
        combo->setCurrentIndex(row);
        emit combo->activated(row);
        break;
    }
    case 9: { // a double-click on a row of a list: a folder opened, a file viewed
        const auto lists = all<QListWidget>(window);
        if (lists.empty())
            break;
        QListWidget* list = lists[m_rng.below(lists.size())];
        if (list->count() == 0)
            break;
        QListWidgetItem* item =
            list->item(static_cast<int>(m_rng.below(static_cast<std::size_t>(list->count()))));
        const QRect r = list->visualItemRect(item);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
        break;
    }
    case 10:
    case 11: // closing by the frame
        if (m_rng.chance(window->form().name() == "formMain" ? m_closeMainPercent : 10))
            window->close();
        break;
    default: // a new size
        window->resize(50 + static_cast<int>(m_rng.below(600)),
                       50 + static_cast<int>(m_rng.below(500)));
        break;
    }
}

void Monkey::next() {
    if (m_done >= m_events) {
        QApplication::exit(0);
        return;
    }
    if (m_program->over())
        restart();
    ++m_done;
    if (m_done % 500 == 0)
        m_program->forget();
    act();
    if (m_done == 1000 || m_done == 5000 || m_done % 10000 == 0 || m_done == m_events) {
        const long kib = statusKiB("RssAnon");
        std::cout << m_done << " events: resident " << statusKiB("VmRSS")
                  << " KiB, of it anonymous " << kib << " KiB, heap in use "
                  << mallinfo2().uordblks / 1024 << " KiB, free " << mallinfo2().fordblks / 1024
                  << " mmap " << mallinfo2().hblkhd / 1024 << " KiB, " << m_restarts << " starts\n"
                  << std::flush;
    }
    if (m_done % 50 == 0) {
        const long kib = statusKiB("RssAnon");
        if (m_done > 500 && m_done <= 1000)
            m_leastAt1000 = m_leastAt1000 == 0 ? kib : std::min(m_leastAt1000, kib);
        if (m_done > m_events - 1000)
            m_leastLast = m_leastLast == 0 ? kib : std::min(m_leastLast, kib);
    }
}

int Monkey::run() {
    restart();
    // Each event comes from the event loop. A message box runs a loop of its own inside
    // the event that raised it, where the first timer (still busy) does not fire; the
    // second answers the box there.
    QTimer input;
    QObject::connect(&input, &QTimer::timeout, [this] {
        if (!QApplication::activeModalWidget())
            next();
    });
    QTimer answers;
    QObject::connect(&answers, &QTimer::timeout, [this] {
        if (QWidget* modal = QApplication::activeModalWidget())
            answer(modal);
    });
    input.start(0);
    answers.start(1);
    // The program's end leaves the event loop; the monkey then starts it again.
    while (m_done < m_events)
        QApplication::exec();
    input.stop();
    answers.stop();
    m_program.reset();
    // Only a long run judges memory: a short one under the sanitizers holds their quarantine.
    if (m_done >= 5000)
        std::cout << "least anonymous resident memory: " << m_leastAt1000
                  << " KiB around 1,000 events, " << m_leastLast << " KiB in the last 1,000\n";
    if (m_done >= 5000 && m_leastLast - m_leastAt1000 > 1024) {
        std::cout << "anonymous resident memory grew by " << (m_leastLast - m_leastAt1000)
                  << " KiB after the first 1,000 events\n";
        return 1;
    }
    std::cout << m_done << " events done, " << m_answered << " message boxes answered;";
    for (const auto& [name, count] : m_driven)
        std::cout << " " << name << " " << count;
    std::cout << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qt::limitMemoryGrowth(); // as the program's entry does
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(qt::QtMessageBoxes::Title));
    QApplication::setQuitOnLastWindowClosed(false);
    const long events = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 2000;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    std::cout << "monkey: " << events << " events from seed " << seed << "\n";
    const int closeMainPercent = argc > 3 ? std::atoi(argv[3]) : 10;
    return Monkey(events, seed, closeMainPercent).run();
}

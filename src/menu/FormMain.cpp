#include "menu/FormMain.h"

#include "app/ModMain.h"

#include <memory>
#include <stdexcept>
#include <utility>

namespace discmenu {

namespace {

using ui::Alignment;
using ui::Font;
using ui::Label;

std::unique_ptr<Label> makeHeaderLabel(const char* name, int top, int height, Font font,
                                       std::string caption) {
    auto label = std::make_unique<Label>(name);
    label->setGeometry(0, top, 8295, height);
    label->setFont(std::move(font));
    label->setCaption(std::move(caption));
    label->setForeColor(ui::White);
    label->setTransparent(true);
    label->setAlignment(Alignment::Center);
    return label;
}

// The items are the window's tab stops, in reading order: the job list, the page's items
// from slot 2 down, then the two fixed items at the bottom.
int itemTabIndex(int index) {
    return index >= 2 ? index : 1000 + index;
}

std::unique_ptr<Label> menuItem(int index, int left, int top, int width, double points,
                                std::string caption, bool visible) {
    auto label = std::make_unique<Label>("lblMain", index);
    label->setTabStop(true);
    label->setTabIndex(itemTabIndex(index));
    label->setGeometry(left, top, width, 255);
    label->setFont(Font{"Arial", points, true, true, false});
    label->setCaption(std::move(caption));
    label->setForeColor(ui::White);
    label->setTransparent(true);
    label->setAlignment(Alignment::Left);
    label->setVisible(visible);
    return label;
}

std::unique_ptr<ui::ListBox> jobList() {
    auto list = std::make_unique<ui::ListBox>("lstRMA");
    list->setGeometry(120, 2400, 975, 255);
    list->setSorted(true);
    list->addItem("lstRMA");
    list->setVisible(false);
    list->setTabIndex(0);
    list->setAccessibleName("Jobs");
    return list;
}

} // namespace

FormMain::FormMain(ModMain& mod, ui::FormObserver* observer)
    : ui::Form("formMain", observer), m_mod(mod),
      m_label1(add(makeHeaderLabel("Label1", 240, 615, Font{"Arial", 24, false, false, false},
                                   "Tidewell Electronics, Inc."))),
      m_label2(add(makeHeaderLabel("Label2", 720, 495, Font{"Arial", 14.25, false, true, false},
                                   "Sensing the Sea"))),
      m_lblTitle(add(makeHeaderLabel("lblTitle", 1080, 615, Font{"Arial", 20.25, true, false, true},
                                     "Customer Service CD"))),
      m_lblVersion(add(
          makeHeaderLabel("lblVersion", 1560, 255, Font{"Arial", 8.25, false, true, false}, ""))),
      m_lblDate(
          add(makeHeaderLabel("lblDate", 1800, 255, Font{"Arial", 8.25, false, true, false}, ""))),
      m_lblRMATitle(
          add(makeHeaderLabel("lblRMATitle", 2040, 255, Font{"Arial", 12, true, true, false}, ""))),
      m_lstRMA(add(jobList())) {
    setInitialCaption("Customer Service CD");
    setWindow(ui::BorderStyle::FixedToolWindow, ui::StartPosition::CenterScreen, true, 8310, 4800);
    setPicture("water");
    setIcon("plate");
    m_lblMain.push_back(&add(menuItem(0, 2640, 4440, 2895, 12, "Visit our website offline", true)));
    m_lblMain.push_back(&add(menuItem(1, 6720, 4440, 1455, 9.75, "Browse this CD", true)));
    m_lblMain.push_back(&add(menuItem(2, 1200, 2400, 7095, 9.75, "View Service Report", false)));
}

const ui::Label& FormMain::headerLabel(const std::string& name) const {
    for (const ui::Label* l : {&m_lblTitle, &m_lblRMATitle, &m_lblVersion, &m_lblDate}) {
        if (l->name() == name)
            return *l;
    }
    throw std::invalid_argument("not a header label: " + name);
}

std::vector<std::string> FormMain::visibleItems() const {
    std::vector<std::string> items;
    for (int i = 2; i <= lblMainUBound() && lblMain(i).visible(); ++i)
        items.push_back(lblMain(i).caption());
    return items;
}

void FormMain::SetWindowTitle(const std::string& title) {
    setCaption("Tidewell Software CD - " + title);
}

ui::Label& FormMain::loadMenuItem(int index) {
    auto label = std::make_unique<Label>("lblMain", index);
    label->copyLookFrom(lblMain(0));
    label->setVisible(false);
    label->setTabStop(true);
    label->setTabIndex(itemTabIndex(index));
    m_lblMain.push_back(&add(std::move(label)));
    return *m_lblMain.back();
}

void FormMain::handle(const ui::UiEvent& event) {
    using ui::EventKind;
    const std::string& control = event.control;
    switch (event.kind) {
    case EventKind::Load:
        Form_Load();
        break;
    case EventKind::Terminate:
        Form_Terminate();
        break;
    case EventKind::Click:
        if (control == "lblMain") {
            const auto page = std::pair(m_mod.CurrentMenu, visibleItems());
            lblMain_Click(event.index);
            // The keyboard's user lands on the new page's first item.
            if (event.byKeyboard && std::pair(m_mod.CurrentMenu, visibleItems()) != page &&
                lblMain(2).visible())
                focusControl(lblMain(2));
        } else if (control == "lstRMA") {
            lstRMA_Click();
        }
        break;
    case EventKind::GotFocus:
        // The keyboard's focus shows as the pointer's hover does.
        if (control == "lblMain")
            lblMain_MouseMove(event.index);
        else if (control == "lstRMA")
            lstRMA_MouseMove();
        break;
    case EventKind::DblClick:
        if (control == "lstRMA")
            lstRMA_DblClick();
        break;
    case EventKind::MouseMove:
        // The header labels other than the job line have no handler: moving over them
        // leaves the highlight as it is.
        if (control == "lblMain")
            lblMain_MouseMove(event.index);
        else if (control.empty())
            Form_MouseMove();
        else if (control == "lblRMATitle")
            lblRMATitle_MouseMove();
        else if (control == "lstRMA")
            lstRMA_MouseMove();
        break;
    default:
        break;
    }
}

} // namespace discmenu

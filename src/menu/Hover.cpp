#include "menu/FormMain.h"

namespace discmenu {

namespace {
// An index no item has: "spare none".
constexpr int NoItem = 99;
} // namespace

void FormMain::ResetMenuHighlight(int keep) {
    if (keep == 0)
        keep = NoItem;
    const int last = lblMainUBound();
    for (int i = 0; i <= last; ++i) {
        if (i != keep)
            lblMain(i).setForeColor(ui::White); // hidden items too
    }
}

void FormMain::lblMain_MouseMove(int Index) {
    ResetMenuHighlight(Index);
    lblMain(Index).setForeColor(ui::Yellow);
}

void FormMain::Form_MouseMove() {
    ResetMenuHighlight(0);
}
void FormMain::lblRMATitle_MouseMove() {
    ResetMenuHighlight(0);
}
void FormMain::lstRMA_MouseMove() {
    ResetMenuHighlight(0);
}

} // namespace discmenu

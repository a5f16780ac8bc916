#pragma once

namespace discmenu::qt {

// "discmenu --snapshot OUTDIR [DISC]": draws every page of the main window that the menu
// can reach, and the file browser of every row that opens one, into PNG files in OUTDIR,
// with an index.html that shows them in menu order beside the disc check's report. Needs
// no display. Returns the check's exit status.
int snapshotCommand(int argc, char** argv);

} // namespace discmenu::qt

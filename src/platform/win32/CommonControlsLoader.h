#pragma once

#include <windows.h>

namespace discmenu::win32 {

// Loads the common controls library (version 6, with the visual styles, as the program's
// manifest asks) on a thread of its own while the program starts. Loading it and setting
// up its styles takes about as long as the scan of the disc and the making of the main
// window, which need none of it; the two overlap instead of following one another. The
// library is a delayed import, so nothing loads it before the program starts.
class CommonControlsLoader {
public:
    CommonControlsLoader() = default;
    ~CommonControlsLoader(); // waits
    CommonControlsLoader(const CommonControlsLoader&) = delete;
    CommonControlsLoader& operator=(const CommonControlsLoader&) = delete;

    // Starts the loading. Only once the calling thread has used the window system
    // (registered a window class): the library's start-up registers classes while it holds
    // the system's loader, and under Wine the window system's own start-up, racing it on
    // another thread, needs that loader too; the two waited on each other for good.
    void start();
    // Until the library is loaded and its classes are registered; loads it here when it
    // was not started. Call it before the first control, message box or call into the
    // library, holding nothing the loading could need.
    void wait();

private:
    HANDLE m_thread = nullptr;
    bool m_started = false;
};

} // namespace discmenu::win32

#include "platform/win32/CommonControlsLoader.h"

#include <commctrl.h>

namespace discmenu::win32 {

namespace {

DWORD WINAPI load(void*) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    return 0;
}

} // namespace

CommonControlsLoader::~CommonControlsLoader() {
    if (m_thread)
        wait();
}

void CommonControlsLoader::start() {
    if (m_started)
        return;
    m_started = true;
    m_thread = CreateThread(nullptr, 0, load, nullptr, 0, nullptr);
    if (!m_thread)
        load(nullptr); // no thread to spare: loaded here and now
}

void CommonControlsLoader::wait() {
    if (!m_started)
        start();
    if (!m_thread)
        return;
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    m_thread = nullptr;
}

} // namespace discmenu::win32

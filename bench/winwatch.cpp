// Starts a program and watches the X display for its first window to be mapped:
//   winwatch SECONDS PROGRAM [ARGUMENT...]
// Prints "visible_ms N rss_kib M": the milliseconds from the start of the program to the
// mapping of its first top-level window, and its resident memory SECONDS after that. Then
// ends the program. Exits 1 when no window shows within 60 seconds or the program ends
// before.

#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

long residentKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

void end(pid_t pid) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: winwatch SECONDS PROGRAM [ARGUMENT...]\n";
        return 2;
    }
    const double settle = std::atof(argv[1]);
    // A busy display may turn a connection away now and then: a few more tries.
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    for (int attempt = 0; attempt < 20 && xcb_connection_has_error(c); ++attempt) {
        xcb_disconnect(c);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        c = xcb_connect(nullptr, nullptr);
    }
    if (xcb_connection_has_error(c)) {
        std::cerr << "winwatch: no display\n";
        return 2;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    // Every mapping of a child of the root window is reported to us, whoever makes it.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    const Clock::time_point giveUp = start + std::chrono::seconds(60);
    long visibleMs = -1;
    while (visibleMs < 0 && Clock::now() < giveUp) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::cerr << "winwatch: the program ended before it showed a window\n";
            return 1;
        }
        poll(&fd, 1, 50);
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && visibleMs < 0)
                visibleMs = static_cast<long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start)
                        .count());
            std::free(event);
        }
    }
    xcb_disconnect(c);
    if (visibleMs < 0) {
        std::cerr << "winwatch: no window within 60 seconds\n";
        end(pid);
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(settle));
    const long rss = residentKib(pid);
    end(pid);
    std::cout << "visible_ms " << visibleMs << " rss_kib " << rss << '\n';
    return 0;
}

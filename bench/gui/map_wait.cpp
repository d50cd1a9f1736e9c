// Time from exec to the first window of a program being mapped on the X
// server of DISPLAY, without polling: the root window reports every map of
// its children, and the window's _NET_WM_PID says whose it is. Prints
// "<pid> <milliseconds>" and leaves the program running for the caller to
// measure and end.
// Usage: map_wait TIMEOUT_SECONDS PROGRAM [ARGS...]
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

extern char **environ;

namespace {

long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1'000'000'000LL + ts.tv_nsec;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name) {
    auto cookie = xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

long windowPid(xcb_connection_t *c, xcb_window_t w, xcb_atom_t netWmPid) {
    auto cookie = xcb_get_property(c, 0, w, netWmPid, XCB_ATOM_CARDINAL, 0, 1);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, cookie, nullptr), &std::free);
    if (!reply || xcb_get_property_value_length(reply.get()) < 4)
        return -1;
    return long(*static_cast<std::uint32_t *>(xcb_get_property_value(reply.get())));
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: map_wait TIMEOUT_SECONDS PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "map_wait: no X server\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netWmPid = atom(c, "_NET_WM_PID");
    xcb_flush(c);

    const long long start = monotonicNs();
    // The program writes to our standard error: a caller that reads our
    // output to its end must not wait for the program to end as well.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, 2, 1);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[2], &actions, nullptr, argv + 2, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::perror("map_wait: spawn");
        return 1;
    }
    const long long deadline = start + std::atoll(argv[1]) * 1'000'000'000LL;
    pollfd p{xcb_get_file_descriptor(c), POLLIN, 0};
    // A program that ends before mapping a window is a failure, not a wait.
    while (monotonicNs() < deadline && waitpid(pid, nullptr, WNOHANG) == 0) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(c)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const xcb_window_t w = mapped ? ((xcb_map_notify_event_t *)event)->window : 0;
            const long long at = monotonicNs();
            std::free(event);
            if (mapped && windowPid(c, w, netWmPid) == pid) {
                std::printf("%d %.1f\n", int(pid), double(at - start) / 1e6);
                return 0;
            }
        }
        poll(&p, 1, 100);
    }
    std::fprintf(stderr, "map_wait: %s mapped no window\n", argv[2]);
    std::printf("%d -\n", int(pid));
    return 1;
}

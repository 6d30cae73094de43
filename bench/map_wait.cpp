// Times a program's start-up to its window on the screen, exactly: map_wait TITLE PROGRAM
// [ARGS...] starts PROGRAM and, as soon as the X server maps a top-level window whose name
// begins with TITLE, prints the program's pid and the milliseconds since it was started, then
// exits and leaves the program running, its output thrown away. Polling from outside would
// add its own interval.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

std::string windowName(xcb_connection_t* x, xcb_window_t window) {
    const auto cookie =
        xcb_get_property(x, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(
        xcb_get_property_reply(x, cookie, nullptr));
    if (!reply)
        return {};
    const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return std::string(text, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

// A display just started may not take connections yet.
xcb_connection_t* connectWithin(std::chrono::seconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        xcb_connection_t* x = xcb_connect(nullptr, nullptr);
        if (!xcb_connection_has_error(x))
            return x;
        xcb_disconnect(x);
        if (std::chrono::steady_clock::now() > deadline)
            return nullptr;
        usleep(20000);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: map_wait TITLE PROGRAM [ARGS...]\n");
        return 2;
    }
    const std::string title = argv[1];
    xcb_connection_t* x = connectWithin(std::chrono::seconds(5));
    if (!x) {
        std::fprintf(stderr, "map_wait: no X display\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &events);
    xcb_flush(x);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // The program outlives this one: it must not hold on to the pipe reading our answer.
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, STDOUT_FILENO);
        dup2(nowhere, STDERR_FILENO);
        execv(argv[2], argv + 2);
        _exit(127);
    }
    pollfd display{xcb_get_file_descriptor(x), POLLIN, 0};
    while (!xcb_connection_has_error(x)) {
        xcb_generic_event_t* event = xcb_poll_for_event(x);
        if (!event) {
            if (waitpid(pid, nullptr, WNOHANG) == pid) {
                std::fprintf(stderr, "map_wait: %s ended before showing its window\n", argv[2]);
                return 1;
            }
            poll(&display, 1, 100);
            continue;
        }
        const std::unique_ptr<xcb_generic_event_t, FreeReply> owned(event);
        if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY)
            continue;
        const auto* mapped = reinterpret_cast<const xcb_map_notify_event_t*>(event);
        if (windowName(x, mapped->window).rfind(title, 0) == 0) {
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            std::printf("%d %.1f\n", static_cast<int>(pid), took.count());
            return 0;
        }
    }
    std::fprintf(stderr, "map_wait: lost the X display\n");
    return 1;
}

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

// Times a program's start-up as the user sees it on an X server: starts the program, then polls
// the server for a viewable top-level window whose title starts with a prefix ("mapped") and,
// optionally, for one pixel of that window to take an expected colour ("drawn"). Prints both in
// milliseconds from the start, kills the program and prints the processor time it used until
// then (user + system, ms), which a busy machine disturbs less than the wall-clock times.
// Polling the server every half millisecond costs far less than the start-ups it measures, and
// the probe is connected before the clock starts.
//
// Usage: startup_probe PREFIX [--pixel X Y RRGGBB] -- PROGRAM [ARGS...]

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto PollInterval = std::chrono::microseconds(500);
constexpr auto Deadline = std::chrono::seconds(60);

struct Options {
    std::string prefix;
    bool pixel = false;
    int x = 0;
    int y = 0;
    unsigned long rgb = 0;
    char **program = nullptr;
};

bool ParseOptions(int argc, char **argv, Options &options)
{
    if (argc < 4)
        return false;
    options.prefix = argv[1];
    int i = 2;
    if (std::strcmp(argv[i], "--pixel") == 0) {
        if (argc < i + 5)
            return false;
        options.pixel = true;
        options.x = std::atoi(argv[i + 1]);
        options.y = std::atoi(argv[i + 2]);
        options.rgb = std::strtoul(argv[i + 3], nullptr, 16);
        i += 4;
    }
    if (std::strcmp(argv[i], "--") != 0 || i + 1 >= argc)
        return false;
    options.program = argv + i + 1;
    return true;
}

// The title as the window manager would read it: the UTF-8 name, else the old one.
std::string WindowTitle(Display *display, Window window)
{
    static const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    static const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::string title;
    const bool read = XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type,
                                         &format, &count, &after, &data)
        == Success;
    if (read && type == utf8 && data)
        title.assign(reinterpret_cast<char *>(data), count);
    if (data)
        XFree(data);
    if (!title.empty())
        return title;
    char *name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

// The first viewable child of the root window whose title starts with the prefix, or 0.
Window FindWindow(Display *display, const std::string &prefix, int &x, int &y)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes)
            || attributes.map_state != IsViewable)
            continue;
        if (WindowTitle(display, children[i]).compare(0, prefix.size(), prefix) == 0) {
            found = children[i];
            x = attributes.x;
            y = attributes.y;
        }
    }
    if (children)
        XFree(children);
    return found;
}

unsigned long ScreenPixel(Display *display, int x, int y)
{
    XImage *image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return ~0UL;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
    XDestroyImage(image);
    return pixel;
}

double Milliseconds(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Polls until the condition holds; false when the program ended or the deadline passed.
template<typename Condition>
bool PollUntil(pid_t child, Clock::time_point start, Condition condition)
{
    while (!condition()) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "startup_probe: the program ended before its window showed\n");
            return false;
        }
        if (Clock::now() - start > Deadline) {
            std::fprintf(stderr, "startup_probe: timed out\n");
            return false;
        }
        std::this_thread::sleep_for(PollInterval);
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: startup_probe PREFIX [--pixel X Y RRGGBB] -- PROGRAM "
                     "[ARGS...]\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_probe: cannot open the display\n");
        return 2;
    }
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(options.program[0], options.program);
        std::perror("startup_probe: exec");
        _exit(127);
    }
    int x = 0, y = 0;
    bool ok = PollUntil(child, start, [&] { return FindWindow(display, options.prefix, x, y); });
    const double mapped = Milliseconds(start);
    double drawn = mapped;
    if (ok && options.pixel) {
        ok = PollUntil(child, start, [&] {
            return ScreenPixel(display, x + options.x, y + options.y) == options.rgb;
        });
        drawn = Milliseconds(start);
    }
    kill(child, SIGKILL);
    rusage usage{};
    wait4(child, nullptr, 0, &usage);
    XCloseDisplay(display);
    if (!ok)
        return 1;
    const double cpu = (double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec)) * 1e3
        + (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) / 1e3;
    std::printf("%.1f %.1f %.1f\n", mapped, drawn, cpu);
    return 0;
}

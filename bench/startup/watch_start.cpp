// SPDX-License-Identifier: MIT
// watch-start: starts a program on the current X server and measures, from exec:
//   map      the first top-level window mapped (MapNotify on the root window)
//   frame    the first drawing into it (an XDamage report)
// then, after it settles, its peak resident memory, and over an idle period its CPU time,
// wake-ups (voluntary context switches: the times it went to sleep and was woken) and the damage
// it reports (how much of the window repaints).
//
//   watch-start IDLE_SECONDS PROGRAM [ARGS...]
// prints one line: map_ms frame_ms peak_kib idle_cpu_ms wakeups repaints max_repaint_px
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A field of /proc/PID/status, in its own unit (kB for memory, a count for switches).
long statusField(pid_t pid, const std::string& path, const char* field) {
    std::ifstream status(path.empty() ? "/proc/" + std::to_string(pid) + "/status" : path);
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::strtol(line.c_str() + key.size(), nullptr, 10);
    return 0;
}

// Calls visit(path) with the /proc folder of each thread of the process.
template <typename Visit> void forEachThread(pid_t pid, Visit visit) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    if (DIR* dir = opendir(tasks.c_str())) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.')
                visit(tasks + "/" + entry->d_name);
        closedir(dir);
    }
}

// Voluntary context switches of every thread: each is a wake-up. (Involuntary ones are the
// scheduler taking a running thread away, which depends on the machine's load, not on the
// program.)
long contextSwitches(pid_t pid) {
    long total = 0;
    forEachThread(pid, [&](const std::string& thread) {
        total += statusField(pid, thread + "/status", "voluntary_ctxt_switches");
    });
    return total;
}

// CPU time of every thread of the process, in milliseconds, from the scheduler's nanosecond
// accounting (schedstat) rather than the 10 ms ticks of /proc/PID/stat.
double cpuMilliseconds(pid_t pid) {
    double total = 0;
    forEachThread(pid, [&](const std::string& thread) {
        std::ifstream schedstat(thread + "/schedstat");
        double nanoseconds = 0;
        if (schedstat >> nanoseconds)
            total += nanoseconds / 1e6;
    });
    return total;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s IDLE_SECONDS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const double idleSeconds = std::atof(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "no XDamage\n");
        return 2;
    }
    // A window may go away while it is watched; that is the program's business, not an error.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }

    double mapMs = -1, frameMs = -1;
    Window window = 0;
    long repaints = 0, largestRepaint = 0;
    Clock::time_point idleStart{};
    double idleCpuStart = 0;
    long switchesStart = 0;
    bool idle = false;
    const double timeoutMs = 20000;
    while (true) {
        if (!idle && millisecondsSince(start) > timeoutMs)
            break;
        if (idle && std::chrono::duration<double>(Clock::now() - idleStart).count() >= idleSeconds)
            break;
        if (frameMs >= 0 && !idle && millisecondsSince(start) >= frameMs + 1500) {
            // Settled: start the idle period.
            idle = true;
            idleStart = Clock::now();
            idleCpuStart = cpuMilliseconds(child);
            switchesStart = contextSwitches(child);
            repaints = 0;
            largestRepaint = 0;
        }
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && window == 0 && event.xmap.event == root &&
                !event.xmap.override_redirect) {
                mapMs = millisecondsSince(start);
                window = event.xmap.window;
                XDamageCreate(display, window, XDamageReportRawRectangles); // freed with the window
            } else if (event.type == damageEvent + XDamageNotify) {
                const auto* notify = reinterpret_cast<XDamageNotifyEvent*>(&event);
                if (frameMs < 0)
                    frameMs = millisecondsSince(start);
                ++repaints;
                largestRepaint = std::max<long>(largestRepaint, long(notify->area.width) *
                                                                    long(notify->area.height));
            }
        }
        usleep(500);
    }
    const long peakKib = statusField(child, "", "VmHWM");
    const double idleCpu = idle ? cpuMilliseconds(child) - idleCpuStart : -1;
    const long wakeups = idle ? contextSwitches(child) - switchesStart : -1;
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    XCloseDisplay(display);
    std::printf("%.1f %.1f %ld %.1f %ld %ld %ld\n", mapMs, frameMs, peakKib, idleCpu, wakeups,
                idle ? repaints : -1, idle ? largestRepaint : -1);
    return mapMs < 0 || frameMs < 0 ? 1 : 0;
}

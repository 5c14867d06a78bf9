// Starts a program and times it until its window with a given title is
// mapped and viewable, and until the program first puts pixels into that
// window, then reads its resident memory a while later and ends it. Used by
// bench/startup-bench; it watches the X server from outside, so the measured
// program is not changed.
//
// The first paint is the first DAMAGE report on the window after its map.
// A window with a background would be reported at its map, when the server
// clears it; Qt's xcb windows have none (a QWindow shown and never painted
// is never reported), so the report comes from the program's own drawing,
// whether a plain or an MIT-SHM put of its backing store (Qt's default here).
//
// Usage: tsubame_map_probe TITLE SETTLE_MS PROGRAM [ARGS...]
// Prints "MS_TO_MAPPED MS_TO_FIRST_PAINT RSS_KIB CPU_MS_TO_FIRST_PAINT" on
// success: the memory read SETTLE_MS after the first paint, and the CPU time
// the program (all its threads) had used by its first paint, which a busy
// machine inflates far less than the elapsed times.
// Exit codes: 0 ok, 1 usage or X error, 3 the program ended before mapping
// or painting.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// A window may be destroyed between its event and our request about it, and
// an input-only window cannot be watched for damage.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

std::string WindowTitle(Display* dpy, Window w) {
  const Atom net_name = XInternAtom(dpy, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(dpy, w, net_name, 0, 1024, False, utf8, &type, &format, &count, &after,
                         &data) == Success &&
      data != nullptr) {
    title.assign(reinterpret_cast<char*>(data), count);
  }
  if (data != nullptr) {
    XFree(data);
  }
  return title;
}

struct ReportOf {
  int event_type;
  Damage damage;
};

// XCheckIfEvent predicate: a report of the damage object in the ReportOf at `arg`.
Bool IsReportOf(Display*, XEvent* event, XPointer arg) {
  const auto* of = reinterpret_cast<const ReportOf*>(arg);
  return static_cast<Bool>(event->type == of->event_type &&
                           reinterpret_cast<XDamageNotifyEvent*>(event)->damage == of->damage);
}

bool Viewable(Display* dpy, Window w) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(dpy, w, &attributes) != 0 && attributes.map_state == IsViewable;
}

long VmRssKib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) {
      return std::stol(line.substr(6));
    }
  }
  return -1;
}

// Ends the program and waits until it has gone, so the next copy starts alone.
void EndAndReap(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 500; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s TITLE SETTLE_MS PROGRAM [ARGS...]\n", argv[0]);
    return 1;
  }
  const std::string wanted = argv[1];
  const int settle_ms = std::atoi(argv[2]);
  Display* dpy = XOpenDisplay(nullptr);
  if (dpy == nullptr) {
    std::fprintf(stderr, "map_probe: cannot open the display\n");
    return 1;
  }
  int damage_event = 0;
  int damage_error = 0;
  if (XDamageQueryExtension(dpy, &damage_event, &damage_error) == 0) {
    std::fprintf(stderr, "map_probe: the X server has no DAMAGE extension\n");
    return 1;
  }
  XSetErrorHandler(IgnoreXErrors);
  const Window root = DefaultRootWindow(dpy);
  // Without a window manager every top-level window shows up here at once.
  XSelectInput(dpy, root, SubstructureNotifyMask);
  XSync(dpy, False);

  pid_t pid = 0;
  const Clock::time_point start = Clock::now();
  if (posix_spawn(&pid, argv[3], nullptr, nullptr, argv + 3, environ) != 0) {
    std::fprintf(stderr, "map_probe: cannot start %s\n", argv[3]);
    return 1;
  }
  clockid_t cpu_clock{};
  if (clock_getcpuclockid(pid, &cpu_clock) != 0) {
    std::fprintf(stderr, "map_probe: cannot read the CPU time of %s\n", argv[3]);
    EndAndReap(pid);
    return 1;
  }

  // Blocks on the X connection: no polling, sub-millisecond resolution.
  Window window = None;
  Clock::time_point mapped{};
  Clock::time_point painted{};
  timespec cpu{};
  pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
  while (painted == Clock::time_point{}) {
    while (XPending(dpy) > 0) {
      XEvent event;
      XNextEvent(dpy, &event);
      const Clock::time_point at = Clock::now();  // before any round trip below
      if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
        // Watched from its creation, before the program can draw into it;
        // the server frees the damage object with the window.
        ReportOf creation{
            damage_event + XDamageNotify,
            XDamageCreate(dpy, event.xcreatewindow.window, XDamageReportRawRectangles)};
        // A window already mapped by now is reported whole at once: no paint.
        // That report arrives before the reply to this round trip.
        XSync(dpy, False);
        XEvent report;
        while (XCheckIfEvent(dpy, &report, IsReportOf, reinterpret_cast<XPointer>(&creation)) !=
               0) {
        }
      } else if (event.type == MapNotify && window == None &&
                 WindowTitle(dpy, event.xmap.window) == wanted &&
                 Viewable(dpy, event.xmap.window)) {
        window = event.xmap.window;
        mapped = at;
      } else if (event.type == damage_event + XDamageNotify && window != None &&
                 reinterpret_cast<XDamageNotifyEvent&>(event).drawable == window) {
        painted = at;
        clock_gettime(cpu_clock, &cpu);
        break;
      }
    }
    if (painted != Clock::time_point{}) {
      break;
    }
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      std::fprintf(stderr, "map_probe: %s ended before %s \"%s\"\n", argv[3],
                   window == None ? "mapping" : "painting", wanted.c_str());
      return 3;
    }
    if (std::chrono::duration<double>(Clock::now() - start).count() > 30.0) {
      std::fprintf(stderr, "map_probe: window \"%s\" not %s within 30 s\n", wanted.c_str(),
                   window == None ? "mapped" : "painted");
      EndAndReap(pid);
      return 1;
    }
    poll(&fd, 1, 50);
  }

  std::this_thread::sleep_for(std::chrono::milliseconds(settle_ms));
  const long rss = VmRssKib(pid);
  EndAndReap(pid);
  XCloseDisplay(dpy);
  const auto ms = [start](Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(t - start).count();
  };
  const double cpu_ms =
      static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6;
  std::printf("%.2f %.2f %ld %.2f\n", ms(mapped), ms(painted), rss, cpu_ms);
  return rss < 0 ? 1 : 0;
}

// Starts a program and times it until its window with a given title is
// mapped and viewable, then reads its resident memory a while later and ends
// it. Used by bench/startup-bench; it watches the X server from outside, so
// the measured program is not changed.
//
// Usage: tsubame_map_probe TITLE SETTLE_MS PROGRAM [ARGS...]
// Prints "MS_TO_MAPPED RSS_KIB" on success.
// Exit codes: 0 ok, 1 usage or X error, 3 the program ended before mapping.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
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

// The splash may be destroyed between its MapNotify and our name query.
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
  XSetErrorHandler(IgnoreXErrors);
  const Window root = DefaultRootWindow(dpy);
  // Without a window manager every top-level map shows up here at once.
  XSelectInput(dpy, root, SubstructureNotifyMask);
  XSync(dpy, False);

  pid_t pid = 0;
  const Clock::time_point start = Clock::now();
  if (posix_spawn(&pid, argv[3], nullptr, nullptr, argv + 3, environ) != 0) {
    std::fprintf(stderr, "map_probe: cannot start %s\n", argv[3]);
    return 1;
  }

  // Blocks on the X connection: no polling, sub-millisecond resolution.
  Clock::time_point mapped{};
  pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
  while (mapped == Clock::time_point{}) {
    while (XPending(dpy) > 0) {
      XEvent event;
      XNextEvent(dpy, &event);
      if (event.type != MapNotify) {
        continue;
      }
      const Clock::time_point at = Clock::now();  // before the round trips below
      if (WindowTitle(dpy, event.xmap.window) == wanted && Viewable(dpy, event.xmap.window)) {
        mapped = at;
        break;
      }
    }
    if (mapped != Clock::time_point{}) {
      break;
    }
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      std::fprintf(stderr, "map_probe: %s ended before mapping \"%s\"\n", argv[3], wanted.c_str());
      return 3;
    }
    if (std::chrono::duration<double>(Clock::now() - start).count() > 30.0) {
      std::fprintf(stderr, "map_probe: no window \"%s\" within 30 s\n", wanted.c_str());
      EndAndReap(pid);
      return 1;
    }
    poll(&fd, 1, 50);
  }

  std::this_thread::sleep_for(std::chrono::milliseconds(settle_ms));
  const long rss = VmRssKib(pid);
  EndAndReap(pid);
  XCloseDisplay(dpy);
  const double ms = std::chrono::duration<double, std::milli>(mapped - start).count();
  std::printf("%.2f %ld\n", ms, rss);
  return rss < 0 ? 1 : 0;
}

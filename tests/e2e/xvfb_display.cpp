#include "e2e/xvfb_display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

namespace rivo::e2e {
namespace {

Display* Dpy(void* d) { return static_cast<Display*>(d); }

// The player's windows come and go while the test looks at them; a look at
// a window that has just gone is no failure.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

pid_t SpawnServer(const std::string& name, int32_t width, int32_t height) {
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  // The server must not reset when the player's connection closes: a
  // connection made while it resets is refused.
  std::vector<std::string> args = {"Xvfb", name, "-screen", "0", screen, "-nolisten", "tcp", "-noreset"};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawnp(&pid, "Xvfb", &quiet, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&quiet);
  return pid;
}

}  // namespace

XvfbDisplay::XvfbDisplay(int32_t width, int32_t height) {
  // Display numbers start at one picked from the process id, so that test
  // programs running side by side do not race for the same one.
  for (int attempt = 0; attempt < 8 && !display_; ++attempt) {
    const int number = 200 + (getpid() * 7 + attempt * 13) % 5000;
    if (std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock")) continue;
    name_ = ":" + std::to_string(number);
    server_ = SpawnServer(name_, width, height);
    if (server_ < 0) {
      problem_ = "Xvfb cannot be started (scripts/setup installs xvfb)";
      return;
    }
    WaitUntil(
        [&] {
          display_ = XOpenDisplay(name_.c_str());
          return display_ != nullptr || waitpid(server_, nullptr, WNOHANG) == server_;
        },
        10);
    if (!display_) {
      kill(server_, SIGTERM);
      waitpid(server_, nullptr, 0);
      server_ = -1;
      problem_ = "Xvfb did not come up on " + name_;
    }
  }
  if (display_) {
    XSetErrorHandler(IgnoreErrors);
    int event, error, major, minor;
    if (!XTestQueryExtension(Dpy(display_), &event, &error, &major, &minor)) {
      problem_ = "the X server has no XTEST extension";
      XCloseDisplay(Dpy(display_));
      display_ = nullptr;
    }
  }
}

XvfbDisplay::~XvfbDisplay() {
  if (display_) XCloseDisplay(Dpy(display_));
  if (server_ > 0) {
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
  }
}

std::optional<ScreenRect> XvfbDisplay::TopWindow() {
  Display* d = Dpy(display_);
  Window root = DefaultRootWindow(d), parent, *children = nullptr;
  unsigned int count = 0;
  std::optional<ScreenRect> found;
  if (!XQueryTree(d, root, &root, &parent, &children, &count)) return found;
  // Children come bottom to top: the last one shown is on top.
  for (unsigned int i = count; i-- > 0 && !found;) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable) continue;
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(d, children[i], root, 0, 0, &x, &y, &child);
    found = ScreenRect{x, y, a.width, a.height, children[i]};
  }
  if (children) XFree(children);
  return found;
}

void XvfbDisplay::FillScreen() {
  Display* d = Dpy(display_);
  if (std::optional<ScreenRect> w = TopWindow()) {
    const int screen = DefaultScreen(d);
    XMoveResizeWindow(d, w->window, 0, 0, static_cast<unsigned>(DisplayWidth(d, screen)),
                      static_cast<unsigned>(DisplayHeight(d, screen)));
    XSync(d, False);
  }
}

uint32_t XvfbDisplay::PixelAt(int32_t x, int32_t y) {
  Display* d = Dpy(display_);
  XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0xFFFFFFFFu;
  const uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0x00FFFFFFu;
  XDestroyImage(image);
  return pixel;
}

void XvfbDisplay::MoveTo(int32_t x, int32_t y) {
  Display* d = Dpy(display_);
  XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
  XSync(d, False);
  Pause(50);
}

void XvfbDisplay::Click(int32_t x, int32_t y) {
  Display* d = Dpy(display_);
  MoveTo(x, y);
  XTestFakeButtonEvent(d, 1, True, CurrentTime);
  XSync(d, False);
  Pause(80);
  XTestFakeButtonEvent(d, 1, False, CurrentTime);
  XSync(d, False);
  Pause(80);
}

bool WaitUntil(const std::function<bool()>& done, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    Pause(20);
  }
}

}  // namespace rivo::e2e

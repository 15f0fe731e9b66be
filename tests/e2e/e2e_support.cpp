#include "e2e_support.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#ifndef CHUDERBY_EXE
#error "CHUDERBY_EXE must name the program under test"
#endif

extern char** environ;

namespace chu::e2e {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool FileExists(const std::string& path) { return fs::exists(path); }

namespace {
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& errFile) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  if (!errFile.empty()) posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  pid_t pid = -1;
  const int rc = posix_spawnp(&pid, argv[0].c_str(), &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

std::vector<std::string> Environment(const std::map<std::string, std::optional<std::string>>& changes) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry(*e);
    const std::string name = entry.substr(0, entry.find('='));
    if (changes.count(name) == 0) env.push_back(entry);
  }
  for (const auto& [name, value] : changes)
    if (value) env.push_back(name + "=" + *value);
  return env;
}

int errCounter = 0;
}  // namespace

Program::Program(const std::vector<std::string>& args, const std::map<std::string, std::optional<std::string>>& env) {
  std::vector<std::string> argv{CHUDERBY_EXE};
  argv.insert(argv.end(), args.begin(), args.end());
  errFile_ = (fs::temp_directory_path() / ("chuderby-e2e-err-" + std::to_string(getpid()) + "-" +
                                           std::to_string(errCounter++)))
                 .string();
  started_ = std::chrono::steady_clock::now();
  pid_ = Spawn(argv, Environment(env), errFile_);
}

Program::~Program() {
  if (pid_ > 0 && !ended_) {
    ::kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  std::error_code ec;
  fs::remove(errFile_, ec);
}

bool Program::running() {
  if (pid_ <= 0 || ended_) return false;
  int status = 0;
  const pid_t r = waitpid(pid_, &status, WNOHANG);
  if (r == 0) return true;
  ended_ = true;
  if (WIFEXITED(status)) code_ = WEXITSTATUS(status);
  else signalled_ = true;
  return false;
}

std::optional<int> Program::waitExit(std::chrono::milliseconds timeout) {
  WaitFor([&] { return !running(); }, timeout, 10ms);
  if (!ended_ || signalled_) return std::nullopt;
  return code_;
}

void Program::kill(int signal) {
  if (pid_ > 0 && !ended_) ::kill(pid_, signal);
}

std::string Program::standardError() const { return ReadFile(errFile_); }

double Program::secondsSinceStart() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

std::string ToString(Rgb c) {
  return "RGB(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

Rgb Screenshot::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
  const std::uint32_t p = pixels_[static_cast<std::size_t>(y) * width_ + x];
  return {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p)};
}

std::uint64_t Screenshot::hash(int x, int y, int w, int h) const {
  std::uint64_t v = 1469598103934665603ULL;
  for (int yy = y; yy < y + h && yy < height_; ++yy)
    for (int xx = x; xx < x + w && xx < width_; ++xx) {
      v ^= pixels_[static_cast<std::size_t>(yy) * width_ + xx];
      v *= 1099511628211ULL;
    }
  return v;
}

bool Screenshot::writePpm(const std::string& path) const {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width_ << ' ' << height_ << "\n255\n";
  for (std::uint32_t p : pixels_) {
    const char rgb[3] = {static_cast<char>(p >> 16), static_cast<char>(p >> 8), static_cast<char>(p)};
    out.write(rgb, 3);
  }
  return static_cast<bool>(out);
}

XSession::XSession() {
  display_ = XOpenDisplay(nullptr);
  if (display_ != nullptr) {
    Display* d = display_;
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);
  }
}

XSession::~XSession() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

Screenshot XSession::shot() const {
  Screenshot s;
  Display* d = display_;
  if (d == nullptr) return s;
  const Window root = DefaultRootWindow(d);
  XWindowAttributes a{};
  XGetWindowAttributes(d, root, &a);
  XImage* img = XGetImage(d, root, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
  if (img == nullptr) return s;
  s.width_ = a.width;
  s.height_ = a.height;
  s.pixels_.resize(static_cast<std::size_t>(a.width) * a.height);
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      s.pixels_[static_cast<std::size_t>(y) * a.width + x] = static_cast<std::uint32_t>(XGetPixel(img, x, y)) & 0xFFFFFF;
  XDestroyImage(img);
  return s;
}

int XSession::windowsCreated() {
  Display* d = display_;
  if (d == nullptr) return 0;
  XSync(d, False);
  int created = 0;
  XEvent e;
  while (XPending(d) > 0) {
    XNextEvent(d, &e);
    if (e.type == CreateNotify) ++created;
  }
  return created;
}

std::optional<unsigned long> XSession::findWindow(const std::string& name) const {
  Display* d = display_;
  if (d == nullptr) return std::nullopt;
  const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count) == 0) return std::nullopt;
  std::optional<unsigned long> found;
  for (unsigned int i = 0; i < count && !found; ++i) {
    XWindowAttributes a{};
    if (XGetWindowAttributes(d, children[i], &a) == 0 || a.map_state != IsViewable) continue;
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, children[i], netName, 0, 1024, False, utf8, &type, &format, &items, &after, &data) ==
            Success &&
        data != nullptr) {
      if (std::string(reinterpret_cast<char*>(data), items) == name) found = children[i];
      XFree(data);
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

std::optional<XSession::Geometry> XSession::geometry(unsigned long window) const {
  Display* d = display_;
  if (d == nullptr) return std::nullopt;
  XWindowAttributes a{};
  if (XGetWindowAttributes(d, window, &a) == 0) return std::nullopt;
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child);
  return Geometry{x, y, a.width, a.height};
}

void XSession::sendClose(unsigned long window) const {
  Display* d = display_;
  if (d == nullptr) return;
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, window, False, NoEventMask, &e);
  XSync(d, False);
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout, std::chrono::milliseconds every) {
  const auto until = std::chrono::steady_clock::now() + timeout;
  while (true) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(every);
  }
}

bool Xdotool(const std::vector<std::string>& args) {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  const pid_t pid = Spawn(argv, Environment({}), "");
  if (pid <= 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool MoveMouse(int x, int y) { return Xdotool({"mousemove", std::to_string(x), std::to_string(y)}); }
bool Click(int button) { return Xdotool({"click", std::to_string(button)}); }
bool Key(const std::string& key) { return Xdotool({"key", key}); }

bool HaveDisplay() {
  const char* d = std::getenv("DISPLAY");
  return d != nullptr && *d != '\0';
}

}  // namespace chu::e2e

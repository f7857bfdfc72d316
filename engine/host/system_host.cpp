// The system host, and the choice of the host in force.
#include "engine/host/system_host.h"

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace {
Host* current_host = nullptr;
Host* default_host = nullptr;

SystemHost& system_host() {
  static SystemHost host;
  return host;
}

// The text without the blanks that centre it, and with its line breaks as blanks.
std::string one_line(const char* s) {
  std::string t = s ? s : "";
  for (char& c : t)
    if (c == '\n' || c == '\r') c = ' ';
  const size_t first = t.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return t.substr(first, t.find_last_not_of(' ') - first + 1);
}
}  // namespace

Host& host() {
  if (current_host) return *current_host;
  if (default_host) return *default_host;
  return system_host();
}
void set_host(Host* h) { current_host = h; }
void set_default_host(Host* h) { default_host = h; }

int SystemHost::ask_yes_no(const char* message, const char* button1, const char* button2) {
  (void)button2;
  std::fprintf(stderr, "%s [%s]\n", one_line(message).c_str(), one_line(button1).c_str());
  return 1;
}

int SystemHost::ask_value(const char* message, const char* button1, const char*, int32_t* value) {
  std::fprintf(stderr, "%s [%s] %d\n", one_line(message).c_str(), one_line(button1).c_str(), value ? *value : 0);
  return 1;
}

void SystemHost::echo_line(const char* text) {
  const std::string line = one_line(text);
  if (line.empty() || line == last_line_) return;
  last_line_ = line;
  std::fprintf(stderr, "%s\n", line.c_str());
}

uint32_t SystemHost::tick_count() {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  return static_cast<uint32_t>(static_cast<uint64_t>(ms));  // wraps at 32 bits
}

void SystemHost::sleep_ms(int32_t ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void SystemHost::pointer_position(int32_t* x, int32_t* y) {
  if (x) *x = 0;
  if (y) *y = 0;
}

int SystemHost::open_with_program(const char* path) {
  if (!path || !*path) return 0;
  // The desktop's opener; the engine does not wait for it.
  char opener[] = "xdg-open";
  std::string file = path;
  char* argv[] = {opener, file.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, opener, nullptr, nullptr, argv, environ) != 0) return 0;
  int status = 0;
  waitpid(pid, &status, WNOHANG);
  return 1;
}

void* SystemHost::alloc_zeroed(size_t size) { return std::calloc(size ? size : 1, 1); }
void SystemHost::free_block(void* block) { std::free(block); }

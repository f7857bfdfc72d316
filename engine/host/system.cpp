// The operating-system calls of the engine, on POSIX.
#include "engine/host/system.h"

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char** environ;

int32_t system_run_and_wait(char* const* argv) {
  std::fflush(stdout);
  pid_t pid = 0;
  const int err = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ);
  if (err != 0) return -err;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -errno;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 1;
}

bool system_current_folder(char* out, size_t size) { return ::getcwd(out, size) != nullptr; }

bool system_change_folder(const char* path) { return ::chdir(path) == 0; }

const char* system_environment(const char* name) { return std::getenv(name); }

bool system_path_exists(const char* path) {
  struct stat st;
  return ::stat(path, &st) == 0;
}

bool system_list_folder(const char* folder, const std::function<bool(const char* name)>& visit) {
  DIR* d = ::opendir(folder && *folder ? folder : ".");
  if (!d) return false;
  while (dirent* e = ::readdir(d)) {
    if (!visit(e->d_name)) break;
  }
  ::closedir(d);
  return true;
}

bool system_make_folder(const char* path) { return ::mkdir(path, 0777) == 0; }

FILE* system_open_temp_file(char* name_template) {
  const int fd = ::mkstemp(name_template);
  if (fd < 0) return nullptr;
  // mkstemp makes the file private; give it the usual permissions of a new file.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  FILE* file = ::fdopen(fd, "wb");
  if (!file) {
    ::close(fd);
    ::unlink(name_template);
  }
  return file;
}

SystemFileStatus system_file_status(const char* path) {
  struct stat st {};
  if (!path || ::stat(path, &st) != 0) return {kSystemNothing, 0, 0};
  const SystemFileKind kind = S_ISREG(st.st_mode) ? kSystemRegular : S_ISDIR(st.st_mode) ? kSystemFolder : kSystemOther;
  return {kind, static_cast<uint32_t>(st.st_mode & 07777), static_cast<uint64_t>(st.st_nlink)};
}

bool system_link_target(const char* path, char* out, size_t size) {
  if (!path || std::strlen(path) >= size) return false;
  std::strcpy(out, path);
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(out, &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    char link[4096];
    const ssize_t n = ::readlink(out, link, sizeof link - 1);
    if (n < 0) return false;
    link[n] = 0;
    if (link[0] == '/') {
      if (static_cast<size_t>(n) >= size) return false;
      std::strcpy(out, link);
    } else {
      char* slash = std::strrchr(out, '/');
      const size_t folder = slash ? static_cast<size_t>(slash - out) + 1 : 0;
      if (folder + static_cast<size_t>(n) >= size) return false;
      std::memcpy(out + folder, link, static_cast<size_t>(n) + 1);
    }
  }
  return false;
}

bool system_can_write(const char* path) {
  const int fd = path ? ::open(path, O_WRONLY | O_NONBLOCK | O_NOCTTY) : -1;
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool system_copy_permissions(FILE* file, uint32_t mode, const char* owner_of) {
  const int fd = ::fileno(file);
  struct stat st {};
  if (owner_of && ::stat(owner_of, &st) == 0) {
    // Only the owner's superuser may give the file away; elsewhere the group alone may still be kept.
    if (::fchown(fd, st.st_uid, st.st_gid) != 0) (void)!::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
  }
  return ::fchmod(fd, static_cast<mode_t>(mode)) == 0;
}

bool system_truncate_file(FILE* file, uint64_t size) {
  return ::ftruncate(::fileno(file), static_cast<off_t>(size)) == 0;
}

bool system_remove_file(const char* path) { return ::unlink(path) == 0; }

bool system_sync_file(FILE* file) { return ::fsync(::fileno(file)) == 0 || errno == EINVAL; }

uint64_t system_raise_stack_limit(uint64_t bytes) {
  rlimit limit{};
  if (getrlimit(RLIMIT_STACK, &limit) != 0) return 0;
  if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < bytes) {
    rlimit wanted = limit;
    wanted.rlim_cur = (limit.rlim_max == RLIM_INFINITY || limit.rlim_max >= bytes) ? bytes : limit.rlim_max;
    if (setrlimit(RLIMIT_STACK, &wanted) == 0) limit = wanted;
  }
  return limit.rlim_cur == RLIM_INFINITY ? UINT64_MAX : static_cast<uint64_t>(limit.rlim_cur);
}

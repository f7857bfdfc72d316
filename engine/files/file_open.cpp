// Path resolution for names written with either separator and any letter case.
#include "engine/files/file_open.h"

#include <cstring>
#include <string>

#include "engine/core/text.h"
#include "engine/host/system.h"

namespace {
bool exists(const std::string& p) { return system_path_exists(p.c_str()); }

// Finds an entry of the folder whose name matches regardless of case; empty when none does.
std::string find_nocase(const std::string& folder, const std::string& name) {
  std::string found;
  system_list_folder(folder.c_str(), [&](const char* entry) {
    if (!equal_ignoring_case(entry, name.c_str())) return true;
    found = entry;
    return false;
  });
  return found;
}
}  // namespace

size_t resolve_path(const char* path, char* out, size_t out_size) {
  if (!path || !out || out_size == 0) return 0;
  std::string p(path);
  for (char& c : p)
    if (c == '\\') c = '/';
  std::string result;
  size_t pos = 0;
  if (!p.empty() && p[0] == '/') {
    result = "/";
    pos = 1;
  }
  bool resolving = true;
  while (pos <= p.size()) {
    size_t next = p.find('/', pos);
    if (next == std::string::npos) next = p.size();
    std::string part = p.substr(pos, next - pos);
    if (!part.empty()) {
      std::string candidate = result + part;
      if (resolving && !exists(candidate)) {
        std::string match = find_nocase(result.empty() ? "." : result, part);
        if (!match.empty()) candidate = result + match;
        else resolving = false;
      }
      result = candidate;
      if (next < p.size()) result += '/';
    }
    pos = next + 1;
  }
  if (result.size() + 1 > out_size) return 0;
  std::memcpy(out, result.c_str(), result.size() + 1);
  return result.size();
}

FILE* open_file(const char* path, const char* mode) {
  char resolved[4096];
  if (!resolve_path(path, resolved, sizeof resolved)) return nullptr;
  return std::fopen(resolved, mode);
}

int remove_file(const char* path) {
  char resolved[4096];
  if (!resolve_path(path, resolved, sizeof resolved)) return -1;
  return std::remove(resolved);
}

int rename_file(const char* from, const char* to) {
  char a[4096], b[4096];
  if (!resolve_path(from, a, sizeof a) || !resolve_path(to, b, sizeof b)) return -1;
  return std::rename(a, b);
}

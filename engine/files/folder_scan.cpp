// Folder scans over the host's directory listing: pattern matching and the first/next/close iteration.
#include "engine/files/folder_scan.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "engine/files/file_open.h"
#include "engine/host/folder_listing.h"

namespace {

struct Scan {
  int32_t handle = 0;
  std::vector<HostFolderEntry> entries;
  size_t next = 0;
};
Scan scan;
int32_t last_handle = 0;

bool match_from(const char* p, const char* n) {
  // Iterative glob with one backtrack point for the latest "*".
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*n) {
    if (*p == '?' || (*p && *p != '*' && std::tolower(static_cast<unsigned char>(*p)) ==
                                            std::tolower(static_cast<unsigned char>(*n)))) {
      ++p;
      ++n;
    } else if (*p == '*') {
      star = p++;
      resume = n;
    } else if (star) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  return *p == '\0';
}

}  // namespace

bool scan_pattern_matches(const char* pattern, const char* name) {
  if (std::strcmp(pattern, "*.*") == 0) return true;
  return match_from(pattern, name);
}

int32_t find_first(const char* folder, const char* patterns) {
  find_close(scan.handle);
  // The folder and the pattern joined as one search path, as the platform's search takes it.
  std::string path = folder ? folder : "";
  if (!path.empty() && path.back() != ':' && path.back() != '\\' && path.back() != '/') path += '\\';
  const std::string pattern = patterns && std::strchr(patterns, ';') ? "*.*" : (patterns ? patterns : "");
  std::string native(path.size() + 1024, '\0');
  const size_t length = path.empty() ? 0 : resolve_path(path.c_str(), native.data(), native.size());
  if (!path.empty() && length == 0) return 0;
  native.resize(length);
  std::vector<HostFolderEntry> all;
  if (!host_list_folder(native.empty() ? "." : native, &all)) return 0;
  std::vector<HostFolderEntry> matching;
  for (auto& e : all)
    if (scan_pattern_matches(pattern.c_str(), e.name.c_str())) matching.push_back(std::move(e));
  if (matching.empty()) return 0;
  scan.entries = std::move(matching);
  scan.next = 0;
  last_handle = last_handle == 0x7FFFFFFF ? 1 : last_handle + 1;
  scan.handle = last_handle;
  return scan.handle;
}

int32_t find_next(int32_t handle, char* name, uint32_t* size, uint32_t* kind) {
  if (handle == 0 || handle != scan.handle || scan.next >= scan.entries.size()) return 0;
  const HostFolderEntry& e = scan.entries[scan.next++];
  if (name) {
    const size_t n = std::min(e.name.size(), static_cast<size_t>(kScanNameSize - 1));
    std::memcpy(name, e.name.data(), n);
    name[n] = '\0';
  }
  if (size) *size = e.folder ? 0 : static_cast<uint32_t>(std::min<uint64_t>(e.size, 0xFFFFFFFFu));
  if (kind) *kind = e.folder ? kScanFolder : kScanFile;
  return 1;
}

void reset_folder_scan() { scan = Scan{}; }

int32_t find_close(int32_t handle) {
  if (handle != 0 && handle == scan.handle) {
    scan = Scan{};
  }
  return 1;
}

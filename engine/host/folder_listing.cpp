// Directory listing through std::filesystem; entries that vanish or cannot be examined while listing are skipped.
#include "engine/host/folder_listing.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool host_list_folder(const std::string& folder, std::vector<HostFolderEntry>* entries) {
  entries->clear();
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
  if (ec) return false;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    HostFolderEntry e;
    e.name = it->path().filename().string();
    std::error_code kind_ec;
    e.folder = it->is_directory(kind_ec);
    if (!e.folder) {
      std::error_code size_ec;
      const uintmax_t size = it->file_size(size_ec);
      e.size = size_ec ? 0 : static_cast<uint64_t>(size);
    }
    entries->push_back(std::move(e));
  }
  return true;
}

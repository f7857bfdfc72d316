// The platform's directory listing: the entries of one folder with their sizes and kinds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct HostFolderEntry {
  std::string name;   // the entry's name, without its folder
  uint64_t size = 0;  // bytes; 0 for a folder
  bool folder = false;
};

// Every entry of the folder (not "." and ".."), in the platform's order. False when the folder cannot be read.
bool host_list_folder(const std::string& folder, std::vector<HostFolderEntry>* entries);

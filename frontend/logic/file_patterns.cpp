// File dialog patterns that match names regardless of letter case.
#include "frontend/logic/file_patterns.h"

#include <cctype>

std::string case_free_pattern(const std::string& pattern) {
  std::string out;
  out.reserve(pattern.size() * 4);
  for (const char c : pattern) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalpha(u) && u < 128) {
      out += '[';
      out += static_cast<char>(std::tolower(u));
      out += static_cast<char>(std::toupper(u));
      out += ']';
    } else {
      out += c;
    }
  }
  return out;
}

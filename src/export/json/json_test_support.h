// What the tests of the JSON room share.
#pragma once

#include <string>
#include <vector>

namespace kzo::exporter {

// The member names of the outermost object of a compact JSON text, in order.
inline std::vector<std::string> TopLevelKeys(const std::string& json) {
  std::vector<std::string> keys;
  int depth = 0;
  for (std::size_t i = 0; i < json.size(); ++i) {
    char c = json[i];
    if (c == '"') {
      std::size_t end = i + 1;
      while (json[end] != '"') end += json[end] == '\\' ? 2 : 1;
      if (depth == 1 && json[end + 1] == ':') keys.push_back(json.substr(i + 1, end - i - 1));
      i = end;
    } else if (c == '{' || c == '[') {
      ++depth;
    } else if (c == '}' || c == ']') {
      --depth;
    }
  }
  return keys;
}

}  // namespace kzo::exporter

#include "platform/paths.h"

namespace kzo::platform {

bool IsPathSeparator(char c) {
  return c == '\\' || c == '/';
}

std::vector<std::string_view> SplitPathComponents(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || IsPathSeparator(path[i])) {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

std::string FoldAsciiCase(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return folded;
}

std::size_t LastNameStart(std::string_view path) {
  std::size_t cut = path.size();
  while (cut > 0 && !IsPathSeparator(path[cut - 1])) --cut;
  return cut;
}

std::size_t LastExactNameStart(std::string_view path) {
  std::size_t cut = path.find_last_of(kPathSeparator == '/' ? "/" : "/\\");
  return cut == std::string_view::npos ? 0 : cut + 1;
}

bool IsAbsolutePath(std::string_view path) {
  return (!path.empty() && IsPathSeparator(path[0])) || IsAbsoluteExactPath(path);
}

bool IsAbsoluteExactPath(std::string_view path) {
#ifdef _WIN32
  bool drive = path.size() >= 2 && path[1] == ':' &&
               ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
  return drive || (!path.empty() && IsPathSeparator(path[0]));
#else
  return path.starts_with('/');
#endif
}

}  // namespace kzo::platform

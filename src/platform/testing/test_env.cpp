#include "platform/testing/test_env.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/paths.h"

namespace kzo::platform {

TempFolder::TempFolder() {
  std::random_device device;
  std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int tries = 0; tries < 100; ++tries) {
    std::filesystem::path folder = base / ("kzo-test-" + std::to_string(device() % 1000000000));
    // Only a folder made now is this test's own.
    if (std::filesystem::create_directory(folder)) {
      std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
      path_ = folder.string();
      return;
    }
  }
  throw std::runtime_error("no temporary folder could be made");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::operator/(std::string_view relative) const {
  std::string path = path_ + kPathSeparator + std::string(relative);
  std::replace(path.begin() + static_cast<std::ptrdiff_t>(path_.size()), path.end(), '/',
               kPathSeparator);
  return path;
}

void TempFolder::Write(std::string_view relative, std::string_view bytes) const {
  std::filesystem::path file = *this / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempFolder::Read(std::string_view relative) const {
  std::ifstream in(*this / relative, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool TempFolder::Exists(std::string_view relative) const {
  return std::filesystem::exists(*this / relative);
}

void TempFolder::MakeFolder(std::string_view relative) const {
  std::filesystem::create_directories(*this / relative);
}

void TempFolder::Remove(std::string_view relative) const {
  std::filesystem::remove_all(*this / relative);
}

void TempFolder::Rename(std::string_view from, std::string_view to) const {
  std::filesystem::rename(*this / from, *this / to);
}

std::vector<std::string> TempFolder::List(std::string_view relative) const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(*this / relative)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace kzo::platform

#include "export/output_file.h"

namespace kzo::exporter {
namespace {

// How many random names are tried before the export gives up on a temporary file.
constexpr int kTemporaryNameTries = 100;

}  // namespace

std::optional<std::string> TemporaryName(platform::Env& files, const std::string& path) {
  for (int i = 0; i < kTemporaryNameTries; ++i) {
    std::string name = path + ".new-" + std::to_string(static_cast<int>(files.Random() * 1000000));
    if (!files.FileExists(name)) return name;
  }
  return std::nullopt;
}

}  // namespace kzo::exporter

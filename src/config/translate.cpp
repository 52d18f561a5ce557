#include "config/translate.h"

#include <cstddef>
#include <optional>

#include "config/file_helpers.h"
#include "store/cp437.h"
#include "store/runtime.h"
#include "store/text.h"

namespace kzo::config {
namespace {

constexpr std::string_view kLegacyFolder = "c:\\kzo7se";
constexpr std::string_view kExchangeFolder = "c:\\kzo_xchg\\";
constexpr std::string_view kExchangeDrive = "t:\\";

// The platform's path conversions work on buffers of 1000 bytes: at most 999 bytes go in,
// and a longer result counts as a failure.
constexpr std::size_t kPathLimit = 999;

std::optional<std::string> Limited(std::optional<std::string> converted) {
  if (converted && converted->size() > kPathLimit) return std::nullopt;
  return converted;
}

std::string_view AfterLastBackslash(std::string_view text) {
  std::size_t slash = text.rfind('\\');
  return slash == std::string_view::npos ? text : text.substr(slash + 1);
}

// The legacy form keeps the short (8.3) name of the last component, since the legacy
// simulator cannot open long names.
std::string ToLegacyForm(const std::string& path, const std::string& root) {
  std::optional<std::string> short_form =
      Limited(store::Platform().ShortPath(std::string_view(path).substr(0, kPathLimit)));
  if (!short_form) return path;
  std::string_view short_name = AfterLastBackslash(*short_form);
  std::string legacy = ReplaceAll(path, kExchangeFolder, kExchangeDrive);
  if (!root.empty()) legacy = ReplaceAll(legacy, root, kLegacyFolder);
  std::size_t slash = legacy.rfind('\\');
  legacy.erase(slash == std::string::npos ? 0 : slash + 1);
  return legacy.append(short_name);
}

std::string FromLegacyForm(const std::string& path, const std::string& root, int show) {
  std::string real = ReplaceAll(path, kExchangeDrive, kExchangeFolder);
  if (!root.empty()) real = ReplaceAll(real, kLegacyFolder, root);
  std::optional<std::string> long_form =
      Limited(store::Platform().LongPath(std::string_view(real).substr(0, kPathLimit)));
  if (!long_form) return real;
  if (show != 0) MSGBOX(*long_form);
  return *long_form;
}

}  // namespace

std::string TranslatePath(std::string_view path, std::string_view root, int show) {
  store::Procedure procedure("TRANSLAT");
  std::string lower_path = store::LowerCase437(path);
  std::string lower_root = store::LowerCase437(root);
  bool to_legacy =
      lower_path.find(lower_root) != std::string::npos || lower_path.starts_with(kExchangeFolder);
  return to_legacy ? ToLegacyForm(lower_path, lower_root)
                   : FromLegacyForm(lower_path, lower_root, show);
}

}  // namespace kzo::config

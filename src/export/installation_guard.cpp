#include "export/installation_guard.h"

#include <cstdlib>

#include "platform/paths.h"

namespace kzo::exporter {

InstallationGuard::InstallationGuard(platform::Env& load, platform::Env& files,
                                     const std::string& output, bool is_folder, std::string refusal)
    : EnvWrapper(load), is_folder_(is_folder), refusal_(std::move(refusal)) {
  output_ = files.IdentityOf(output);
  std::size_t name = platform::LastExactNameStart(output);
  output_folder_ = files.IdentityOf(name == 0 ? "." : output.substr(0, name));
  output_name_ = platform::FoldAsciiCase(std::string_view(output).substr(name));
}

void InstallationGuard::Check(std::string_view path) {
  std::size_t name = platform::LastNameStart(path);
  std::string folder(path.substr(0, name));
  if (folder.empty()) folder = ".";
  if (output_ && target().IdentityOf(path) == output_) Refuse();
  if (is_folder_ && output_ && target().IdentityOf(folder) == output_) Refuse();
  if (output_folder_ && platform::FoldAsciiCase(path.substr(name)) == output_name_ &&
      target().IdentityOf(folder) == output_folder_) {
    Refuse();
  }
}

void InstallationGuard::Refuse() {
  WriteErrorOutput(refusal_);
  Exit(2);
  std::abort();  // never reached: Exit ends the process
}

platform::OpenResult InstallationGuard::Open(std::string_view path, platform::OpenMode mode) {
  Check(path);
  return EnvWrapper::Open(path, mode);
}

int InstallationGuard::DeleteFile(std::string_view path) {
  Check(path);
  return EnvWrapper::DeleteFile(path);
}

int InstallationGuard::RenameFile(std::string_view from, std::string_view to) {
  Check(from);
  Check(to);
  return EnvWrapper::RenameFile(from, to);
}

int InstallationGuard::ReplaceFile(std::string_view from, std::string_view to) {
  Check(from);
  Check(to);
  return EnvWrapper::ReplaceFile(from, to);
}

}  // namespace kzo::exporter

// The export never writes into the legacy installation, whatever name the user gives its
// output: not a file the load reads, nor one the load would create, rewrite or delete.
// Files are compared by identity, so that another letter case, a symbolic or a hard link
// to a legacy file is caught as well.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/env.h"

namespace kzo::exporter {

// The platform the load runs on, watching every file the load opens, deletes or renames.
// When one of them is the output, the load stops: refusal (a message naming the output) is
// written to standard error and the process ends with exit code 2. Nothing has been
// written then: the load's own writes stay in memory, and the output is written after it.
class InstallationGuard : public platform::EnvWrapper {
 public:
  // load: the platform of the load (a view that keeps its writes in memory). files: the
  // platform of the paths named on the command line, on which output (absolute) is found.
  // A site's folder (is_folder) is also refused when a file the load touches lies in it.
  InstallationGuard(platform::Env& load, platform::Env& files, const std::string& output,
                    bool is_folder, std::string refusal);

  platform::OpenResult Open(std::string_view path, platform::OpenMode mode) override;
  int DeleteFile(std::string_view path) override;
  int RenameFile(std::string_view from, std::string_view to) override;
  int ReplaceFile(std::string_view from, std::string_view to) override;

 private:
  // Refuses when path is the output, or names a file in the output's folder under the
  // output's name in another letter case: the legacy names are found in any letter case,
  // so a file of that name may well be the one a later load reads.
  void Check(std::string_view path);
  [[noreturn]] void Refuse();

  std::optional<platform::FileIdentity> output_;         // when the output exists
  std::optional<platform::FileIdentity> output_folder_;  // the folder the output is made in
  std::string output_name_;                              // its last name, letters folded
  bool is_folder_;
  std::string refusal_;
};

}  // namespace kzo::exporter

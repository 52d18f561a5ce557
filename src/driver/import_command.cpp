#include "driver/import_command.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/command_line.h"
#include "driver/importer.h"
#include "platform/paths.h"
#include "platform/write_view.h"

namespace kzo::driver {
namespace {

constexpr std::string_view kUsage =
    "usage: kzo-import [--yes] [--explain] [--dry-run] [FOLDER]\n"
    "       kzo-import --help | --version\n";

constexpr std::string_view kHelp =
    "Imports the legacy installation in FOLDER (default: the working directory) and writes\n"
    "its match report matches.txt there, with CR LF line ends in code page 437. Missing\n"
    "settings files are created empty and each circuit's circdb.dat is brought in step\n"
    "with the wrestler roster (the old one kept as circdb.dat.bak1).\n"
    "\n"
    "  -y, --yes      answer every error report with OK without asking\n"
    "  --explain      follow every error report with the file (and line) it concerns\n"
    "  --dry-run      write nothing; list the files the import would write\n"
    "  -h, --help     show this text\n"
    "  --version      show the version\n"
    "\n"
    "Exit codes: 0 complete, 1 matches.txt not written whole, 2 bad arguments, 255\n"
    "cancelled at an error report.\n";

// The path of a file the view would write, as the working directory names it.
std::string Shown(const std::string& path, const std::string& folder) {
  if (path.size() > folder.size() && path.starts_with(folder) &&
      platform::IsPathSeparator(path[folder.size()])) {
    return path.substr(folder.size() + 1);
  }
  return path;
}

void ListChanges(platform::WriteView& view, platform::Env& env) {
  std::string folder = env.WorkingDirectory();
  std::vector<platform::FileChange> changes = view.Changes();
  if (changes.empty()) {
    env.WriteConsole("kzo-import: dry run, nothing was written; the import would change no file\n");
    return;
  }
  std::string text = "kzo-import: dry run, nothing was written; the import would\n";
  for (const platform::FileChange& change : changes) {
    text += change.kind == platform::FileChange::kCreate    ? "  create  "
            : change.kind == platform::FileChange::kRewrite ? "  rewrite "
                                                            : "  delete  ";
    text += Shown(change.path, folder) + "\n";
  }
  env.WriteConsole(text);
}

// The import writes into the legacy folder: when it may not (no permission, a read-only
// file system), every write would fail with a report of its own, tens of thousands on a
// large installation, and the one fact behind them would be buried. Says it once.
std::optional<int> RefuseUnwritableFolder(const CommandLine& command, platform::Env& env) {
  if (env.CheckFolderWritable(env.WorkingDirectory()) == 0) return std::nullopt;
  std::string folder = command.folder().value_or(env.WorkingDirectory());
  command.Complain(env, "cannot write into " + folder + " (" + env.LastErrorText() +
                            "): the import writes matches.txt and keeps files of the "
                            "installation up to date there; `kzo-import --dry-run` lists them, "
                            "and `kzo-export` reads a folder that cannot be written");
  return kExitOutputFailed;
}

}  // namespace

int ImportCommand(int argc, char** argv, platform::Env& env) {
  CommandLine command("kzo-import", kUsage, kHelp);
  bool dry_run = false;
  command.app().add_flag("--dry-run", dry_run);
  if (std::optional<int> done = command.Parse(argc, argv, env)) return *done;
  if (std::optional<int> failed = command.EnterFolder(env)) return *failed;
  if (!dry_run) {
    if (std::optional<int> refused = RefuseUnwritableFolder(command, env)) return *refused;
  }
  std::optional<platform::WriteView> view;
  if (dry_run) view.emplace(env);
  int code = ImporterMain(command.ReportPlatform(view ? *view : env));
  if (code == kExitOutputFailed) {
    command.Complain(env, "matches.txt was not written whole (" + env.LastErrorText() + ")");
  }
  if (view) ListChanges(*view, env);
  return code;
}

}  // namespace kzo::driver

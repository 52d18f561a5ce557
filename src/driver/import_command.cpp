#include "driver/import_command.h"

#include <optional>
#include <string>
#include <string_view>

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
  std::string text = "kzo-import: dry run, nothing was written; the import would\n";
  for (const platform::FileChange& change : view.Changes()) {
    text += change.kind == platform::FileChange::kCreate    ? "  create  "
            : change.kind == platform::FileChange::kRewrite ? "  rewrite "
                                                            : "  delete  ";
    text += Shown(change.path, folder) + "\n";
  }
  env.WriteConsole(text);
}

}  // namespace

int ImportCommand(int argc, char** argv, platform::Env& env) {
  CommandLine command("kzo-import", kUsage, kHelp);
  bool dry_run = false;
  command.app().add_flag("--dry-run", dry_run);
  if (std::optional<int> done = command.Parse(argc, argv, env)) return *done;
  if (std::optional<int> failed = command.EnterFolder(env)) return *failed;
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

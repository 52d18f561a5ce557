#include "export/export_main.h"

#include <optional>
#include <string>
#include <string_view>

#include "driver/command_line.h"
#include "driver/run.h"
#include "export/html/html_site.h"
#include "export/installation_guard.h"
#include "export/output_file.h"
#include "export/sqlite/sqlite_export.h"
#include "platform/paths.h"
#include "platform/write_view.h"

namespace kzo::exporter {
namespace {

constexpr std::string_view kUsage =
    "usage: kzo-export [--yes] [--explain] [--format json|sqlite|html] [--output FILE|DIR] "
    "[FOLDER]\n"
    "       kzo-export --help | --version\n";

constexpr std::string_view kHelp =
    "Loads the legacy installation in FOLDER (default: the working directory) exactly as\n"
    "kzo-import does and writes the model: a JSON document (texts decoded from code page 437\n"
    "to UTF-8), an SQLite database, or a web site of pages that opens in any browser from\n"
    "disk. It never writes into FOLDER: what the load would write there is kept in memory.\n"
    "\n"
    "  -f, --format json|sqlite|html\n"
    "                            the output format (default json)\n"
    "  -o, --output FILE|DIR     write to FILE, taken exactly as written, replaced only by\n"
    "                            a complete output; - is standard output (json only); for\n"
    "                            html the folder DIR, made beside it and renamed into place\n"
    "                            when complete; an existing DIR must be empty or hold an\n"
    "                            earlier site, which is replaced\n"
    "  -y, --yes                 answer every error report with OK without asking\n"
    "  --explain                 follow every error report with the file (and line) it\n"
    "                            concerns\n"
    "  -h, --help                show this text\n"
    "  --version                 show the version\n"
    "\n"
    "Exit codes: 0 complete, 1 the output not written whole, 2 bad arguments, 255\n"
    "cancelled at an error report.\n";

// While the document goes to standard output, messages go to standard error.
class MessagesToErrorOutput : public platform::EnvWrapper {
 public:
  using EnvWrapper::EnvWrapper;
  bool WriteConsole(std::string_view bytes) override {
    target().WriteErrorOutput(bytes);
    return true;
  }
};

// True when path names something other than a regular file: a folder, or a device or pipe
// (/dev/null, /dev/stdout) that cannot be replaced and is written to directly.
bool IsSpecialFile(platform::Env& files, const std::string& path) {
  return files.LongPath(path).has_value() && !files.FileExists(path);
}

// Takes the document's pieces to a file (handle > 0) or to standard output as they are
// written, and notes the first failure; later pieces are dropped.
class DocumentSink : public JsonSink {
 public:
  DocumentSink(platform::Env& env, int handle) : env_(env), handle_(handle) {}
  void Take(std::string_view bytes) override {
    if (failure_) return;
    bool written = handle_ > 0 ? env_.Write(handle_, bytes.data(), bytes.size()) == 0
                               : env_.WriteConsole(bytes);
    if (!written) failure_ = env_.LastErrorText();
  }
  const std::optional<std::string>& failure() const { return failure_; }

 private:
  platform::Env& env_;
  int handle_;
  std::optional<std::string> failure_;
};

// Writes the JSON document, a line end after it, to the handle (0: standard output).
std::optional<std::string> StreamDocument(platform::Env& env, int handle) {
  std::string pending;
  DocumentSink sink(env, handle);
  JsonWriter json(pending, &sink);
  WriteModelJson(json);
  pending += '\n';
  json.Flush();
  return sink.failure();
}

// Writes the JSON document into a new file at path; the reason when that failed.
std::optional<std::string> StreamDocumentToFile(platform::Env& files, const std::string& path) {
  platform::OpenResult opened = files.Open(path, platform::OpenMode::kOutput);
  if (opened.error != 0) return files.LastErrorText();
  std::optional<std::string> failure = StreamDocument(files, opened.handle);
  if (files.Close(opened.handle) != 0 && !failure) failure = files.LastErrorText();
  return failure;
}

// Writes the output; the reason when it could not be written whole.
std::optional<std::string> WriteOutput(platform::Env& env, platform::Env& files,
                                       const std::string& format,
                                       const std::optional<std::string>& output) {
  if (format == "html") return WriteHtmlSite(files, *output);
  if (format == "sqlite") {
    if (IsSpecialFile(files, *output)) return "not a regular file";
    return WriteSqliteDatabase(files, *output);
  }
  if (!output) return StreamDocument(env, 0);
  if (IsSpecialFile(files, *output)) return StreamDocumentToFile(files, *output);
  return WriteWholeFile(files, *output, [&](const std::string& temporary) {
    return StreamDocumentToFile(files, temporary);
  });
}

}  // namespace

int ExportMain(int argc, char** argv, platform::Env& env, platform::Env& files) {
  driver::CommandLine command("kzo-export", kUsage, kHelp);
  std::string format = "json";
  std::optional<std::string> output;
  command.AddOption("-f,--format", format, "one of json, sqlite, html")
      ->check(CLI::IsMember({"json", "sqlite", "html"}));
  command.AddOption("-o,--output", output, "a FILE, or a DIR for html");
  if (std::optional<int> done = command.Parse(argc, argv, env)) return *done;
  if (output == "-") output.reset();
  if (format != "json" && !output) {
    return command.RefuseArguments(
        env, "--format " + format + " needs --output " + (format == "html" ? "DIR" : "FILE"));
  }
  // The output file is named as the user sees it from where the program started; messages
  // name it as the user wrote it.
  std::string named = output.value_or("standard output");
  if (output && !platform::IsAbsoluteExactPath(*output)) {
    *output = files.WorkingDirectory() + "/" + *output;
  }
  if (format == "html") {
    SiteFolder state = InspectSiteFolder(files, *output);
    if (state == SiteFolder::kFile) {
      return command.RefuseArguments(env, named + " is a file, not a folder");
    }
    if (state == SiteFolder::kTaken) {
      command.Complain(env, "will not replace " + named +
                                ": it is not empty and holds no site written by kzo-export");
      return driver::kExitUsage;
    }
  }
  if (std::optional<int> failed = command.EnterFolder(env)) return *failed;
  std::string refusal = "kzo-export: will not write " + named +
                        ": it is part of the legacy installation in " +
                        command.folder().value_or(env.WorkingDirectory()) + "\n";
  platform::WriteView view(env);
  MessagesToErrorOutput to_error_output(view);
  std::optional<InstallationGuard> guard;
  if (output) guard.emplace(view, files, *output, format == "html", refusal);
  platform::Env& load = guard ? static_cast<platform::Env&>(*guard) : to_error_output;
  driver::LoadLegacyFolder(command.ReportPlatform(load));
  std::optional<std::string> failure = WriteOutput(env, files, format, output);
  if (!failure) return driver::kExitOk;
  command.Complain(env, "cannot write " + named + " (" + *failure + ")");
  return driver::kExitOutputFailed;
}

}  // namespace kzo::exporter

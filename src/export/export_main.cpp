#include "export/export_main.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/command_line.h"
#include "driver/run.h"
#include "export/csv/csv_export.h"
#include "export/html/html_site.h"
#include "export/installation_guard.h"
#include "export/json/model_json.h"
#include "export/json/model_schema.h"
#include "export/output_file.h"
#include "export/output_folder.h"
#include "export/sqlite/sqlite_export.h"
#include "platform/paths.h"
#include "platform/write_view.h"
#include "roster/field_dictionary.h"
#include "store/run.h"

namespace kzo::exporter {
namespace {

// An output format: its name, what --output names for it, and how it is written.
struct Format {
  std::string_view name;
  std::string_view output;  // "FILE" or "DIR"
  bool standard_output;     // written to standard output when --output is missing or -
  // Writes the model that the last load built to output (an absolute path, or none for
  // standard output through env); the reason when it could not be written whole.
  std::optional<std::string> (*write)(platform::Env& env, platform::Env& files,
                                      const std::optional<std::string>& output);
  // A DIR format: the file that marks a folder as an earlier output of it, and what such a
  // folder holds.
  std::string_view marker = {};
  std::string_view holds = {};
  // False for a format that is the same for every installation: it loads no FOLDER and
  // writes from the field dictionary alone.
  bool loads = true;
};

std::optional<std::string> WriteSqlite(platform::Env&, platform::Env& files,
                                       const std::optional<std::string>& output) {
  if (IsSpecialFile(files, *output)) return "not a regular file";
  return WriteSqliteDatabase(files, *output);
}

std::optional<std::string> WriteHtml(platform::Env&, platform::Env& files,
                                     const std::optional<std::string>& output) {
  return WriteHtmlSite(files, *output);
}

std::optional<std::string> WriteCsv(platform::Env&, platform::Env& files,
                                    const std::optional<std::string>& output) {
  return WriteCsvFolder(files, *output);
}

// The formats, the default first, in the order the usage names them.
constexpr Format kFormats[] = {
    {"json", "FILE", true, WriteJsonDocument},
    {"sqlite", "FILE", false, WriteSqlite},
    {"html", "DIR", false, WriteHtml, kSiteMarker, "site"},
    {"csv", "DIR", false, WriteCsv, kCsvMarker, "CSV files"},
    {"json-schema", "FILE", true, WriteSchemaDocument, {}, {}, false},
};

// The names of the formats that satisfy the condition, joined by separator.
template <class Condition>
std::string FormatNames(std::string_view separator, Condition condition) {
  std::string names;
  for (const Format& format : kFormats) {
    if (!condition(format)) continue;
    names += (names.empty() ? "" : std::string(separator)) + std::string(format.name);
  }
  return names;
}

// Every format's name, joined by separator: "json|sqlite|...".
std::string FormatNames(std::string_view separator) {
  return FormatNames(separator, [](const Format&) { return true; });
}

// The formats written into a folder, joined by separator.
std::string FolderFormats(std::string_view separator) {
  return FormatNames(separator, [](const Format& format) { return format.output == "DIR"; });
}

std::string Usage() {
  return "usage: kzo-export [--yes] [--explain] [--format " + FormatNames("|") +
         "]\n"
         "                  [--output FILE|DIR] [FOLDER]\n"
         "       kzo-export --help | --version\n";
}

std::string Help() {
  std::string help =
      "Loads the legacy installation in FOLDER (default: the working directory) exactly as\n"
      "kzo-import does and writes the model: a JSON document (texts decoded from code page 437\n"
      "to UTF-8), an SQLite database, a web site of pages that opens in any browser from disk,\n"
      "or a CSV file per table of the database. It never writes into FOLDER: what the load\n"
      "would write there is kept in memory. json-schema writes the JSON Schema of the\n"
      "document, the same for every installation, and loads no FOLDER.\n"
      "\n";
  help += "  -f, --format " + FormatNames("|") + "\n";
  help += "                            the output format (default " +
          std::string(kFormats[0].name) + ")\n";
  return help +
         "  -o, --output FILE|DIR     FILE: written whole, taken exactly as written, replacing\n" +
         "                            what was there only when complete; - or none is standard\n" +
         "                            output (" +
         FormatNames(", ", [](const Format& format) { return format.standard_output; }) + ")\n" +
         "                            DIR (" + FolderFormats(", ") +
         "): a folder made beside it and renamed\n"
         "                            into place when complete; an existing DIR must be empty or\n"
         "                            hold an earlier export of the same format, which is "
         "replaced\n"
         "  -y, --yes                 answer every error report with OK without asking\n"
         "  --explain                 follow every error report with the file (and line) it\n"
         "                            concerns\n"
         "  -h, --help                show this text\n"
         "  --version                 show the version\n"
         "\n"
         "Exit codes: 0 complete, 1 the output not written whole, 2 bad arguments, 255\n"
         "cancelled at an error report.\n";
}

const Format& FormatNamed(std::string_view name) {
  for (const Format& format : kFormats) {
    if (format.name == name) return format;
  }
  return kFormats[0];  // the parser takes only the names of the formats
}

// While the document goes to standard output, messages go to standard error.
class MessagesToErrorOutput : public platform::EnvWrapper {
 public:
  using EnvWrapper::EnvWrapper;
  bool WriteConsole(std::string_view bytes) override {
    target().WriteErrorOutput(bytes);
    return true;
  }
};

// The exit code of an output that was written, or that failed for the reason, which is
// said naming the output as the user did.
int Written(driver::CommandLine& command, platform::Env& env,
            const std::optional<std::string>& failure, const std::string& named) {
  if (!failure) return driver::kExitOk;
  command.Complain(env, "cannot write " + named + " (" + *failure + ")");
  return driver::kExitOutputFailed;
}

}  // namespace

int ExportMain(int argc, char** argv, platform::Env& env, platform::Env& files) {
  driver::CommandLine command("kzo-export", Usage(), Help());
  std::string name(kFormats[0].name);
  std::optional<std::string> output;
  std::vector<std::string> names;
  for (const Format& format : kFormats) names.emplace_back(format.name);
  command.AddOption("-f,--format", name, "one of " + FormatNames(", "))
      ->check(CLI::IsMember(names));
  command.AddOption("-o,--output", output, "a FILE, or a DIR for " + FolderFormats(" and "));
  if (std::optional<int> done = command.Parse(argc, argv, env)) return *done;
  const Format& format = FormatNamed(name);
  if (output == "-") output.reset();
  if (!format.standard_output && !output) {
    return command.RefuseArguments(
        env, "--format " + name + " needs --output " + std::string(format.output));
  }
  // The output file is named as the user sees it from where the program started; messages
  // name it as the user wrote it.
  std::string named = output.value_or("standard output");
  if (output && !platform::IsAbsoluteExactPath(*output)) {
    *output = files.WorkingDirectory() + "/" + *output;
  }
  if (format.output == "DIR") {
    OutputFolder state = InspectOutputFolder(files, *output, format.marker);
    if (state == OutputFolder::kFile) {
      return command.RefuseArguments(env, named + " is a file, not a folder");
    }
    if (state == OutputFolder::kTaken) {
      command.Complain(env, "will not replace " + named + ": it is not empty and holds no " +
                                std::string(format.holds) + " written by kzo-export");
      return driver::kExitUsage;
    }
  }
  if (!format.loads) {
    // The run holds the field dictionary that describes the roster records.
    store::BeginRun(env);
    roster::InitFieldDictionary();
    return Written(command, env, format.write(env, files, output), named);
  }
  if (std::optional<int> failed = command.EnterFolder(env)) return *failed;
  std::string refusal = "kzo-export: will not write " + named +
                        ": it is part of the legacy installation in " +
                        command.folder().value_or(env.WorkingDirectory()) + "\n";
  platform::WriteView view(env);
  MessagesToErrorOutput to_error_output(view);
  std::optional<InstallationGuard> guard;
  if (output) guard.emplace(view, files, *output, format.output == "DIR", refusal);
  platform::Env& load = guard ? static_cast<platform::Env&>(*guard) : to_error_output;
  driver::LoadLegacyFolder(command.ReportPlatform(load));
  return Written(command, env, format.write(env, files, output), named);
}

}  // namespace kzo::exporter

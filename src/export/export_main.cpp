#include "export/export_main.h"

#include <optional>
#include <string_view>
#include <vector>

#include "driver/run.h"
#include "export/sqlite_export.h"

namespace kzo::exporter {
namespace {

constexpr std::string_view kUsage =
    "usage: kzo-export [--format json|sqlite] [--output FILE] [FOLDER]\n";

struct Arguments {
  std::string format = "json";
  std::optional<std::string> output;
  std::optional<std::string> folder;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments arguments;
  std::vector<std::string_view> words(argv + 1, argv + argc);
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::string_view word = words[i];
    bool has_value = i + 1 < words.size();
    if (word == "--format" && has_value) {
      arguments.format = words[++i];
    } else if (word == "--output" && has_value) {
      arguments.output = std::string(words[++i]);
    } else if (!word.starts_with("--") && !arguments.folder) {
      arguments.folder = std::string(word);
    } else {
      return std::nullopt;
    }
  }
  if (arguments.format == "sqlite" && !arguments.output) return std::nullopt;
  if (arguments.format != "json" && arguments.format != "sqlite") return std::nullopt;
  return arguments;
}

// While the document goes to standard output, messages go to standard error.
class MessagesToErrorOutput : public platform::EnvWrapper {
 public:
  using EnvWrapper::EnvWrapper;
  void WriteConsole(std::string_view bytes) override { target().WriteErrorOutput(bytes); }
};

int WriteDocument(platform::Env& env, const std::optional<std::string>& output,
                  const std::string& document) {
  if (!output) {
    env.WriteConsole(document);
    return 0;
  }
  platform::OpenResult opened = env.Open(*output, platform::OpenMode::kOutput);
  int error = opened.error;
  if (error == 0) error = env.Write(opened.handle, document.data(), document.size());
  if (opened.error == 0) {
    int closed = env.Close(opened.handle);
    if (error == 0) error = closed;
  }
  if (error != 0) {
    env.WriteErrorOutput("kzo-export: cannot write " + *output + " (error " +
                         std::to_string(error) + ")\n");
    return 1;
  }
  return 0;
}

int WriteDatabase(platform::Env& env, const std::string& output) {
  std::optional<std::string> failure = WriteSqliteDatabase(output);
  if (!failure) return 0;
  env.WriteErrorOutput("kzo-export: cannot write " + output + " (" + *failure + ")\n");
  return 1;
}

}  // namespace

int ExportMain(int argc, char** argv, platform::Env& env) {
  std::optional<Arguments> arguments = ParseArguments(argc, argv);
  if (!arguments) {
    env.WriteErrorOutput(kUsage);
    return 2;
  }
  // The output file is named as the user sees it from where the program started.
  if (arguments->output && !arguments->output->starts_with('/')) {
    arguments->output = env.WorkingDirectory() + "/" + *arguments->output;
  }
  if (arguments->folder && env.ChangeDirectory(*arguments->folder) != 0) {
    env.WriteErrorOutput("kzo-export: no such folder: " + *arguments->folder + "\n");
    return 2;
  }
  MessagesToErrorOutput to_error_output(env);
  platform::Env& load_env = arguments->output ? env : to_error_output;
  driver::LoadLegacyFolder(load_env);
  if (arguments->format == "sqlite") return WriteDatabase(env, *arguments->output);
  std::string document = ModelJson();
  document += '\n';
  return WriteDocument(env, arguments->output, document);
}

}  // namespace kzo::exporter

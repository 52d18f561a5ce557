#include "driver/command_line.h"

#include <vector>

#include "platform/paths.h"

namespace kzo::driver {

CommandLine::CommandLine(std::string_view program, std::string_view usage, std::string_view help)
    : program_(program), usage_(usage), help_(help), app_(std::string(program)) {
  app_.set_help_flag();  // --help writes this program's own text, through the platform
  // Arguments the parser does not take are judged here, in the program's own words; and an
  // argument that begins with "/" is a path on every system, not an option.
  app_.allow_extras();
  app_.allow_windows_style_options(false);
  app_.add_flag("-h,--help", help_asked_);
  app_.add_flag("--version", version_asked_);
  app_.add_flag("-y,--yes", yes_);
  app_.add_flag("--explain", explain_);
  app_.add_option("FOLDER", folder_);
}

// The message about an argument the parser could not take: the option's own words when the
// error concerns an option's value, else the parser's.
std::string CommandLine::ParseFailure(const CLI::ParseError& error) const {
  std::string_view message = error.what();
  for (const auto& [name, needs] : needs_) {
    if (message.starts_with(name + ":")) return name + " needs " + needs;
  }
  return std::string(message);
}

// The message about the first argument the parser left over, if any: an option it does not
// know, or one argument too many. After "--" every argument is a plain one.
std::optional<std::string> CommandLine::FirstExtra() {
  bool options = true;
  for (const std::string& extra : app_.remaining()) {
    if (extra == "--" && options) {
      options = false;
    } else if (options && extra.size() > 1 && extra[0] == '-') {
      return "unknown option " + extra;
    } else {
      return "unexpected argument " + extra;
    }
  }
  return std::nullopt;
}

std::optional<int> CommandLine::Parse(int argc, char** argv, platform::Env& env) {
  for (int i = 1; i < argc; ++i) {
    help_asked_ = help_asked_ || (!platform::kSystemHelpArgument.empty() &&
                                  argv[i] == platform::kSystemHelpArgument);
  }
  if (!help_asked_) {
    try {
      app_.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
      return RefuseArguments(env, ParseFailure(error));
    }
  }
  if (!help_asked_) {
    if (std::optional<std::string> extra = FirstExtra()) return RefuseArguments(env, *extra);
  }
  if (help_asked_) {
    env.WriteConsole(usage_ + "\n" + help_);
    return kExitOk;
  }
  if (version_asked_) {
    env.WriteConsole(program_ + " " + std::string(kVersion) + "\n");
    return kExitOk;
  }
  return std::nullopt;
}

std::optional<int> CommandLine::EnterFolder(platform::Env& env) {
  if (!folder_) return std::nullopt;
  int error = env.ChangeDirectory(*folder_);
  if (error == 0) return std::nullopt;
  std::string reason = error == 75   ? "not a folder"
                       : error == 76 ? "no such folder"
                                     : env.LastErrorText();
  Complain(env, *folder_ + ": " + reason);
  return kExitUsage;
}

platform::Env& CommandLine::ReportPlatform(platform::Env& base) {
  platform::Env* top = &base;
  if (yes_) top = &answered_ok_.emplace(*top);
  if (explain_) top = &with_place_.emplace(*top);
  return *top;
}

int CommandLine::RefuseArguments(platform::Env& env, std::string_view message) const {
  Complain(env, message);
  env.WriteErrorOutput(usage_);
  return kExitUsage;
}

void CommandLine::Complain(platform::Env& env, std::string_view message) const {
  env.WriteErrorOutput(program_ + ": " + std::string(message) + "\n");
}

}  // namespace kzo::driver

#include "driver/command_line.h"

#include <vector>

namespace kzo::driver {

CommandLine::CommandLine(std::string_view program, std::string_view usage, std::string_view help)
    : program_(program), usage_(usage), help_(help), app_(std::string(program)) {
  app_.set_help_flag();  // --help writes this program's own text, through the platform
  app_.add_flag("-h,--help", help_asked_);
  app_.add_flag("--version", version_asked_);
  app_.add_flag("-y,--yes", yes_);
  app_.add_flag("--explain", explain_);
  app_.add_option("FOLDER", folder_);
}

std::optional<int> CommandLine::Parse(int argc, char** argv, platform::Env& env) {
  try {
    app_.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    Complain(env, error.what());
    env.WriteErrorOutput(usage_);
    return kExitUsage;
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

void CommandLine::Complain(platform::Env& env, std::string_view message) const {
  env.WriteErrorOutput(program_ + ": " + std::string(message) + "\n");
}

}  // namespace kzo::driver

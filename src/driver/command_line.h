// The command line both programs share: --help, --version, --yes, --explain and the legacy
// FOLDER, parsed by CLI11; the program adds its own options before parsing.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/env.h"

namespace kzo::driver {

// The version both programs report.
inline constexpr std::string_view kVersion = "1.1.0";

// The exit codes of both programs.
constexpr int kExitOk = 0;
constexpr int kExitOutputFailed = 1;  // an output could not be written whole
constexpr int kExitUsage = 2;         // bad arguments, or a FOLDER that cannot be used

class CommandLine {
 public:
  // program names the program in messages; usage is its usage line(s), help the text
  // --help writes after them.
  CommandLine(std::string_view program, std::string_view usage, std::string_view help);

  // The parser, for the program's own flags.
  CLI::App& app() { return app_; }
  // Adds an option that takes a value; needs says what it takes, for the message about a
  // missing or bad value ("--format needs one of json, sqlite, html").
  template <class T>
  CLI::Option* AddOption(const std::string& names, T& value, std::string needs) {
    CLI::Option* option = app_.add_option(names, value);
    needs_.emplace_back(option->get_name(), std::move(needs));
    return option;
  }

  // Parses the arguments. nullopt: go on; otherwise the exit code, the output written:
  // 0 after --help or --version (on standard output), 2 after a usage error (a message
  // naming the bad argument and the usage line on standard error).
  std::optional<int> Parse(int argc, char** argv, platform::Env& env);

  // Makes FOLDER, when one was named, the working directory. nullopt when that worked;
  // otherwise 2, after a message naming the folder and the reason.
  std::optional<int> EnterFolder(platform::Env& env);

  // The platform the load runs on: base, with every report answered OK (--yes) and
  // followed by the place of its error (--explain) as the options ask.
  platform::Env& ReportPlatform(platform::Env& base);

  // Writes "program: message" and a line end to standard error.
  void Complain(platform::Env& env, std::string_view message) const;
  // Complains, then writes the usage line; returns the exit code of bad arguments.
  int RefuseArguments(platform::Env& env, std::string_view message) const;

  const std::optional<std::string>& folder() const { return folder_; }

 private:
  std::string ParseFailure(const CLI::ParseError& error) const;
  std::optional<std::string> FirstExtra();

  std::string program_;
  std::string usage_;
  std::string help_;
  CLI::App app_;
  bool help_asked_ = false;
  bool version_asked_ = false;
  bool yes_ = false;
  bool explain_ = false;
  std::optional<std::string> folder_;
  std::vector<std::pair<std::string, std::string>> needs_;  // an option's name, what it takes
  std::optional<platform::ReportsAnsweredOk> answered_ok_;
  std::optional<platform::ReportsWithPlace> with_place_;
};

}  // namespace kzo::driver

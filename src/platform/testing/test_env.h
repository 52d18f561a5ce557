// Test doubles of the platform: scripted answers to error reports, captured reports and
// console output, a fixed clock and random source, and an exit that a test can catch.
#pragma once

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/env.h"

namespace kzo::platform {

// Thrown by TestEnv::Exit in place of ending the process.
struct ExitRequested {
  int code;
};

class TestEnv : public EnvWrapper {
 public:
  TestEnv() : EnvWrapper(DefaultEnv()) {}

  Answer ReportError(std::string_view text, std::string_view place) override {
    reports.emplace_back(text);
    places.emplace_back(place);
    if (answers.empty()) return Answer::kOk;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool WriteConsole(std::string_view bytes) override {
    console.append(bytes);
    return true;
  }
  void WriteErrorOutput(std::string_view bytes) override { error_output.append(bytes); }
  [[noreturn]] void Exit(int code) override { throw ExitRequested{code}; }
  LocalTime Now() override { return now; }
  double Random() override { return random_value; }

  std::deque<Answer> answers;  // answers to the next reports; OK when empty
  std::vector<std::string> reports;
  std::vector<std::string> places;  // where each report's error happened
  std::string console;
  std::string error_output;
  LocalTime now{2026, 12, 7, 15, 30, 0, 0};
  double random_value = 0.5;
};

// A fresh folder below the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // The path of a file or folder below this one, named with "/" between components, in
  // the system's own form.
  std::string operator/(std::string_view relative) const;
  void Write(std::string_view relative, std::string_view bytes) const;
  std::string Read(std::string_view relative) const;
  bool Exists(std::string_view relative) const;
  void MakeFolder(std::string_view relative) const;
  // Removes a file or a folder with everything in it.
  void Remove(std::string_view relative) const;
  void Rename(std::string_view from, std::string_view to) const;
  // The names of the entries of a folder below this one, sorted.
  std::vector<std::string> List(std::string_view relative = "") const;

 private:
  std::string path_;
};

}  // namespace kzo::platform

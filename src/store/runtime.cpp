#include "store/runtime.h"

#include <array>
#include <optional>
#include <vector>

#include "store/files.h"

namespace kzo::store {
namespace {

// The text of a report, kept for the next error of the same number and tag.
struct KeptReport {
  int number = 0;
  std::string tag;
  std::string text;
};

struct Runtime {
  const Procedure* procedure = nullptr;  // the innermost running procedure
  ErrorRecorder* recorder = nullptr;     // the innermost living recorder
  // The working directory, asked of the platform for the first place of an error: a run
  // never changes it, and a file full of errors would otherwise ask for every one.
  std::optional<std::string> working_directory;
  // The reports of the last errors: a file that ends early raises the same few errors (a
  // number read, a line read) for every item it still owes.
  std::array<KeptReport, 4> reports;
  std::size_t next_report = 0;  // the kept report replaced next
};

RunLocal<Runtime> runtime;

Runtime& TheRuntime() {
  return *runtime;
}

}  // namespace

const char* ErrorDescription(int number) {
  switch (number) {
    case 5:
      return "Illegal function call";
    case 6:
      return "Overflow";
    case 7:
      return "Out of memory";
    case 9:
      return "Subscript/Pointer out of range";
    case 11:
      return "Division by zero";
    case 24:
      return "Device timeout";
    case 51:
      return "Internal error";
    case 52:
      return "Bad file name or number";
    case 53:
      return "File not found";
    case 54:
      return "Bad file mode";
    case 55:
      return "File is open";
    case 57:
      return "Device I/O error";
    case 58:
      return "File already exists";
    case 61:
      return "Disk full";
    case 62:
      return "Input past end";
    case 63:
      return "Bad record number";
    case 64:
      return "Bad file name";
    case 67:
      return "Too many files";
    case 68:
      return "Device unavailable";
    case 69:
      return "Comm error";
    case 70:
      return "Permission denied";
    case 71:
      return "Disk not ready";
    case 72:
      return "Disk media error";
    case 74:
      return "Rename across disks";
    case 75:
      return "Path/file access error";
    case 76:
      return "Path not found";
    default:
      return "Unprintable error";
  }
}

namespace {

// The tag of the main procedure, named when nothing else runs.
constexpr const char* kMainTag = "KZOMAIN";

}  // namespace

Procedure::Procedure(const char* tag) : tag_(tag), outer_(TheRuntime().procedure) {
  TheRuntime().procedure = this;
}

Procedure::~Procedure() {
  TheRuntime().procedure = outer_;
}

std::string RunningProcedure() {
  const Procedure* running = TheRuntime().procedure;
  std::string tag = running == nullptr ? kMainTag : running->tag_;
  tag.resize(8, ' ');
  return tag;
}

std::string ErrorReportText(int number, std::string_view tag) {
  constexpr std::string_view kFollowing = ")\r\nhas occurred following execution of ";
  constexpr std::string_view kEnd = "\r\n\r\nPress OK to continue, Cancel to terminate";
  std::string number_text = std::to_string(number);
  std::string_view description = ErrorDescription(number);
  std::string text;
  text.reserve(40 + number_text.size() + description.size() + kFollowing.size() + tag.size() +
               kEnd.size());
  text.append("Untrapped Error #").append(number_text).append(" (").append(description);
  text.append(kFollowing).append(tag).append(kEnd);
  return text;
}

ErrorRecorder::ErrorRecorder() : outer_(TheRuntime().recorder) {
  TheRuntime().recorder = this;
}

ErrorRecorder::~ErrorRecorder() {
  TheRuntime().recorder = outer_;
}

namespace {

// The text of the report of an error, made once for errors met again.
const std::string& ReportText(Runtime& runtime, int number, const std::string& tag) {
  for (const KeptReport& kept : runtime.reports) {
    if (kept.number == number && kept.tag == tag && !kept.text.empty()) return kept.text;
  }
  KeptReport& kept = runtime.reports[runtime.next_report];
  runtime.next_report = (runtime.next_report + 1) % runtime.reports.size();
  kept = {number, tag, ErrorReportText(number, tag)};
  return kept.text;
}

}  // namespace

void RaiseError(int number) {
  RaiseErrorAt(number, "");
}

void RaiseErrorAt(int number, std::string_view place) {
  platform::Env& env = Platform();
  Runtime& runtime = TheRuntime();
  std::string tag = RunningProcedure();
  if (runtime.recorder != nullptr) runtime.recorder->Note({number, tag, std::string(place)});
  if (env.ReportError(ReportText(runtime, number, tag), place) == platform::Answer::kOk) return;
  CloseAllFiles();
  env.Exit(255);
}

std::string FilePlace(std::string_view path, std::size_t line) {
  std::optional<std::string>& known = TheRuntime().working_directory;
  if (!known) known = Platform().WorkingDirectory();
  const std::string& folder = *known;
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  if (!folder.empty() && path.starts_with(folder) &&
      (path.size() == folder.size() || separator(path[folder.size()]))) {
    path.remove_prefix(folder.size());
  }
  while (!path.empty() && separator(path.front())) path.remove_prefix(1);
  std::string line_text = line > 0 ? ", line " + std::to_string(line) : std::string();
  std::string place;
  place.reserve(3 + path.size() + line_text.size());
  place.append("In ").append(path).append(line_text);
  return place;
}

}  // namespace kzo::store

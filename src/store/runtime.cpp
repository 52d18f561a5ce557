#include "store/runtime.h"

#include <vector>

#include "store/files.h"

namespace kzo::store {
namespace {

struct Runtime {
  const Procedure* procedure = nullptr;  // the innermost running procedure
  ErrorRecorder* recorder = nullptr;     // the innermost living recorder
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
  std::string text = "Untrapped Error #" + std::to_string(number) + " (" +
                     ErrorDescription(number) + ")\r\nhas occurred following execution of ";
  text.append(tag);
  text += "\r\n\r\nPress OK to continue, Cancel to terminate";
  return text;
}

ErrorRecorder::ErrorRecorder() : outer_(TheRuntime().recorder) {
  TheRuntime().recorder = this;
}

ErrorRecorder::~ErrorRecorder() {
  TheRuntime().recorder = outer_;
}

void RaiseError(int number) {
  RaiseErrorAt(number, "");
}

void RaiseErrorAt(int number, std::string_view place) {
  platform::Env& env = Platform();
  std::string tag = RunningProcedure();
  if (TheRuntime().recorder != nullptr) {
    TheRuntime().recorder->Note({number, tag, std::string(place)});
  }
  if (env.ReportError(ErrorReportText(number, tag), place) == platform::Answer::kOk) return;
  CloseAllFiles();
  env.Exit(255);
}

std::string FilePlace(std::string_view path, std::size_t line) {
  std::string folder = Platform().WorkingDirectory();
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  if (!folder.empty() && path.starts_with(folder) &&
      (path.size() == folder.size() || separator(path[folder.size()]))) {
    path.remove_prefix(folder.size());
  }
  while (!path.empty() && separator(path.front())) path.remove_prefix(1);
  std::string place = "In ";
  place.append(path);
  if (line > 0) place += ", line " + std::to_string(line);
  return place;
}

}  // namespace kzo::store

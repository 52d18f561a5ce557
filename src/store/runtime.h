// The legacy runtime every procedure runs in: the platform services of the run
// (store/run.h), the procedure whose tag error reports name, and the error convention
// itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/env.h"
#include "store/run.h"

namespace kzo::store {

// Marks the running procedure for as long as it lives: error reports name its tag, the
// 8-character name of the procedure (a shorter tag is padded with blanks).
class Procedure {
 public:
  explicit Procedure(const char* tag);
  ~Procedure();
  Procedure(const Procedure&) = delete;
  Procedure& operator=(const Procedure&) = delete;

 private:
  friend std::string RunningProcedure();
  const char* tag_;
  const Procedure* outer_;  // the procedure that was running when this one began
};

// The tag of the running procedure, padded to 8 characters.
std::string RunningProcedure();

// The description of a numbered error, as its report words it ("File not found").
const char* ErrorDescription(int number);

// The text of the report of a numbered error raised in the procedure with the tag.
std::string ErrorReportText(int number, std::string_view tag);

// An error raised while an ErrorRecorder lived: its number, the tag its report named and
// the place it concerned.
struct RaisedError {
  int number;
  std::string tag;
  std::string place;
};

// Notes every error raised while it lives (they are reported as usual), so that a reader
// that keeps what it read can raise the same reports again later.
class ErrorRecorder {
 public:
  ErrorRecorder();
  ~ErrorRecorder();
  ErrorRecorder(const ErrorRecorder&) = delete;
  ErrorRecorder& operator=(const ErrorRecorder&) = delete;
  const std::vector<RaisedError>& errors() const { return errors_; }
  void Note(RaisedError error) { errors_.push_back(std::move(error)); }

 private:
  std::vector<RaisedError> errors_;
  ErrorRecorder* outer_;
};

// Raises a numbered error: reports it at once, naming the running procedure, and returns
// when the user answers OK (the caller abandons the failing statement and goes on). On
// Cancel every open file is closed and the process ends with exit code 255.
void RaiseError(int number);
// Raises a numbered error as RaiseError does; place tells where it happened (see FilePlace),
// for a platform that explains its reports.
void RaiseErrorAt(int number, std::string_view place);
// The place of an error that concerns the file at path, named as the legacy folder (the
// working directory, which a run does not change) names it, with the line being read when
// line > 0:
// "In data\wrestlrs.dat, line 12".
std::string FilePlace(std::string_view path, std::size_t line = 0);

}  // namespace kzo::store

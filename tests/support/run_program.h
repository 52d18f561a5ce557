// Runs a built program the way a user would: in a folder, with standard input from
// /dev/null, capturing what it writes and how it ends.
#pragma once

#include <string>
#include <vector>

namespace kzo::testing {

struct ProgramRun {
  int exit_code = -1;  // -1 when the program ended by a signal
  int signal = 0;
  std::string out;
  std::string err;
  bool timed_out = false;  // killed because it ran past its time limit
};

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& folder);

// Runs the program as RunProgram does, killing it (SIGKILL) when it has not ended within
// timeout_seconds; timed_out then tells so.
ProgramRun RunProgramWithTimeout(const std::string& program,
                                 const std::vector<std::string>& arguments,
                                 const std::string& folder, double timeout_seconds);

}  // namespace kzo::testing

namespace kzo::testing {

// Runs the program with the arguments on a new pseudo-terminal (its controlling terminal),
// answering each "OK/Cancel? " prompt with the next of answers; what it wrote to the
// terminal is in out.
ProgramRun RunProgramOnTerminal(const std::string& program, const std::string& folder,
                                const std::vector<std::string>& answers,
                                const std::vector<std::string>& arguments = {});

}  // namespace kzo::testing

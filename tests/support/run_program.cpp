#include "support/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace kzo::testing {
namespace {

void DrainInto(int fd, std::string& out, bool& open) {
  char buffer[4096];
  ssize_t n = read(fd, buffer, sizeof(buffer));
  if (n > 0) {
    out.append(buffer, static_cast<std::size_t>(n));
  } else {
    open = false;
  }
}

// Waits for the child to end and notes how it ended.
void WaitForEnd(pid_t child, ProgramRun& run) {
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
}

// In the child: becomes the program, run in folder; exits 127 when that fails.
[[noreturn]] void ExecInFolder(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::string& folder) {
  if (chdir(folder.c_str()) != 0) _exit(127);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(127);
}

// Runs the program; a negative timeout waits for it however long it takes.
ProgramRun Run(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& folder, double timeout_seconds) {
  int out_pipe[2];
  int err_pipe[2];
  if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) throw std::runtime_error("pipe");
  pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork");
  if (child == 0) {
    int null_in = open("/dev/null", O_RDONLY);
    dup2(null_in, 0);
    dup2(out_pipe[1], 1);
    dup2(err_pipe[1], 2);
    close(out_pipe[0]);
    close(err_pipe[0]);
    setsid();  // no controlling terminal: error reports are answered OK
    ExecInFolder(program, arguments, folder);
  }
  close(out_pipe[1]);
  close(err_pipe[1]);
  ProgramRun run;
  bool out_open = true;
  bool err_open = true;
  using Clock = std::chrono::steady_clock;
  Clock::time_point deadline =
      Clock::now() + std::chrono::duration_cast<Clock::duration>(
                         std::chrono::duration<double>(timeout_seconds < 0 ? 0 : timeout_seconds));
  while (out_open || err_open) {
    pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
    int wait_ms = -1;
    if (timeout_seconds >= 0 && !run.timed_out) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) {
        kill(child, SIGKILL);  // the pipes close when it is gone
        run.timed_out = true;
      } else {
        wait_ms = static_cast<int>(std::min<long long>(left.count() + 1, 1000));
      }
    }
    if (poll(fds, 2, wait_ms) <= 0) continue;
    if (out_open && (fds[0].revents & (POLLIN | POLLHUP)))
      DrainInto(out_pipe[0], run.out, out_open);
    if (err_open && (fds[1].revents & (POLLIN | POLLHUP)))
      DrainInto(err_pipe[0], run.err, err_open);
  }
  close(out_pipe[0]);
  close(err_pipe[0]);
  WaitForEnd(child, run);
  return run;
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& folder) {
  return Run(program, arguments, folder, -1);
}

ProgramRun RunProgramWithTimeout(const std::string& program,
                                 const std::vector<std::string>& arguments,
                                 const std::string& folder, double timeout_seconds) {
  return Run(program, arguments, folder, timeout_seconds);
}

ProgramRun RunProgramOnTerminal(const std::string& program, const std::string& folder,
                                const std::vector<std::string>& answers,
                                const std::vector<std::string>& arguments) {
  int terminal = -1;
  pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (child < 0) throw std::runtime_error("forkpty");
  if (child == 0) {
    ExecInFolder(program, arguments, folder);
  }
  ProgramRun run;
  std::size_t answered = 0;
  std::size_t prompts_seen = 0;
  while (true) {
    pollfd fd{terminal, POLLIN, 0};
    if (poll(&fd, 1, 20000) <= 0) break;
    char buffer[4096];
    ssize_t n = read(terminal, buffer, sizeof(buffer));
    if (n <= 0) break;
    run.out.append(buffer, static_cast<std::size_t>(n));
    std::size_t at = 0;
    prompts_seen = 0;
    while ((at = run.out.find("OK/Cancel? ", at)) != std::string::npos) {
      ++prompts_seen;
      at += 1;
    }
    while (answered < prompts_seen && answered < answers.size()) {
      std::string line = answers[answered++] + "\n";
      if (write(terminal, line.data(), line.size()) < 0) break;
    }
  }
  close(terminal);
  WaitForEnd(child, run);
  return run;
}

}  // namespace kzo::testing

// Legacy folders for end-to-end tests: copies of the sample installation, what a folder
// holds, and running the programs as a user who may not write.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/testing/test_env.h"
#include "support/run_program.h"

namespace kzo::testing {

inline void CopySample(const std::string& folder) {
  std::filesystem::copy(std::filesystem::path(KZO_SOURCE_DIR) / "examples" / "sample", folder,
                        std::filesystem::copy_options::recursive);
}

// The bytes of a file of the source folder, named relative to it.
inline std::string SourceFile(const std::string& relative) {
  std::ifstream in(std::string(KZO_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Every file below folder by its relative path, with its bytes.
inline std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files[std::filesystem::relative(entry.path(), folder).string()] = bytes.str();
  }
  return files;
}

// Sets the permissions of folder and everything in it: 0555 folders and 0444 files make it
// read-only, 0755 and 0644 writable again. Its parents become searchable by everyone.
inline void SetFolderMode(const std::string& folder, bool writable) {
  namespace fs = std::filesystem;
  for (fs::path path = folder; path != path.root_path(); path = path.parent_path())
    fs::permissions(path, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  fs::perms folders = writable ? fs::perms(0755) : fs::perms(0555);
  fs::perms files = writable ? fs::perms(0644) : fs::perms(0444);
  fs::permissions(folder, folders);
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    fs::permissions(entry.path(), entry.is_directory() ? folders : files);
}

// The command that runs program as a user who may not write into a read-only folder: root
// writes anywhere, so root runs it as nobody, from a copy in a folder open to everyone
// (nobody may not reach the build folder).
inline std::vector<std::string> WithoutWritePermission(const std::string& program) {
  if (geteuid() != 0) return {program};
  static platform::TempFolder programs;
  std::string copy = programs / std::filesystem::path(program).filename().string();
  if (!std::filesystem::exists(copy)) {
    std::filesystem::copy_file(program, copy);
    std::filesystem::permissions(programs.path(), std::filesystem::perms(0755));
  }
  return {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", copy};
}

// The command that runs program under a file-size limit of blocks of 512 bytes.
inline std::vector<std::string> WithFileSizeLimit(int blocks, const std::string& program) {
  return {"/bin/sh", "-c", "ulimit -f " + std::to_string(blocks) + " && exec \"$@\"", "sh",
          program};
}

// Runs python3 in folder on its "model.json" (as d) with the checks, which end by printing
// "ok" when every assert holds.
inline ProgramRun CheckDocument(const std::string& folder, const std::string& checks) {
  std::string script = "import json,sys\nd=json.load(open('model.json',encoding='utf-8'))\n" +
                       checks + "\nprint('ok')\n";
  return RunProgram("/usr/bin/python3", {"-c", script}, folder);
}

// What a checker of tests/support (a Python script that prints "ok" or the faults it finds)
// prints about its arguments, its errors included.
inline std::string RunChecker(const std::string& checker, std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), KZO_SOURCE_DIR "/tests/support/" + checker);
  ProgramRun run = RunProgram("/usr/bin/python3", arguments, "/");
  return run.out + run.err;
}

// The faults that tests/support/check_site.py finds in a site written by kzo-export
// --format html (pages that do not parse, links that leave it or name no file, the basics of
// accessibility missing), or "ok".
inline std::string CheckSite(const std::string& site) {
  return RunChecker("check_site.py", {site});
}

// A generated installation (bench/make-installation, default sizes unless sizes names
// others, as "--wrestlers", "40") in folder.
inline ProgramRun MakeInstallation(const std::string& folder, int seed = 3,
                                   std::vector<std::string> sizes = {}) {
  sizes.insert(sizes.begin(), {KZO_SOURCE_DIR "/bench/make-installation", "--out", folder, "--seed",
                               std::to_string(seed)});
  return RunProgram("/usr/bin/python3", sizes, "/");
}

// The faults that tests/support/check_schema.py finds in JSON documents written by
// kzo-export, checked against the schema in doc/ (with changed, also that one-member
// changes to the first make it invalid), or "ok".
inline std::string CheckSchema(std::vector<std::string> documents, bool changed = false) {
  documents.insert(documents.begin(), KZO_SOURCE_DIR "/doc/kzo-model.schema.json");
  if (changed) documents.push_back("--changed");
  return RunChecker("check_schema.py", documents);
}

// The faults that tests/support/check_csv.py finds in a folder written by kzo-export
// --format csv against the SQLite export of the same installation, or "ok".
inline std::string CheckCsv(const std::string& folder, const std::string& database) {
  return RunChecker("check_csv.py", {folder, database});
}

// The faults that tests/support/check_answers.py finds in the tables of answers of a
// database written by kzo-export --format sqlite, or "ok".
inline std::string CheckAnswers(const std::string& database) {
  return RunChecker("check_answers.py", {database});
}

// Runs command (a program and its first arguments) with the further arguments in folder.
inline ProgramRun RunCommand(std::vector<std::string> command,
                             const std::vector<std::string>& arguments, const std::string& folder) {
  command.insert(command.end(), arguments.begin(), arguments.end());
  std::string program = command.front();
  command.erase(command.begin());
  return RunProgram(program, command, folder);
}

}  // namespace kzo::testing

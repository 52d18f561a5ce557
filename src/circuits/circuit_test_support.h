// A legacy folder for circuit tests: a wrestler roster set up in memory, one circuit in
// the circuit table, and its folder on disk.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "matchtext/participants.h"
#include "model/circuit.h"
#include "model/find_wrestler.h"
#include "platform/testing/test_env.h"
#include "roster/database.h"
#include "store/files.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::circuits {

// A record of "circdb.dat" written by hand: its nine items (name, push, hire state, heel
// value, four managers, nickname), each on its line, then the nine lines the import skips.
inline std::string DatabaseRecord(const std::vector<std::string>& items) {
  std::string record;
  for (const std::string& item : items) record += item + "\r\n";
  for (int line = 0; line < 9; ++line) record += "\r\n";
  return record;
}

class CircuitTest : public testing::RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    roster::Database().legacy_folder = store::NewRecordString(legacy.path());
    roster::Database().settings.GlobalHiringLimitTo = store::NewRecordString("");
  }

  // Wrestlers 1..n of the roster, with push 10 * i and heel tactics for odd numbers.
  void SetWrestlers(const std::vector<std::string>& names) {
    roster::RosterDatabase& db = roster::Database();
    db.wrestlers.assign(names.size() + 1, roster::WrestlerRecord{});
    db.wrestler_count = static_cast<std::int32_t>(names.size());
    for (std::size_t i = 1; i <= names.size(); ++i) {
      roster::WrestlerRecord& w = db.wrestlers[i];
      w.wnr = static_cast<std::int32_t>(i);
      w.wname = store::NewRecordString(names[i - 1]);
      w.nickname = store::NewRecordString("The " + names[i - 1]);
      w.push = static_cast<std::int32_t>(10 * i);
      w.heel_tactics = static_cast<std::int32_t>(i % 2);
      w.managers[2] = static_cast<std::int32_t>(i);
    }
    model::ForgetWrestlerIndexes();
  }

  // Circuit 1 in the table, with its folder "circ" below the legacy folder.
  model::CircuitRecord& AddCircuit(const char* folder = "circ") {
    model::Circuits().count = 1;
    model::CircuitRecord& c = model::Circuits().records[1];
    c.folder = store::NewRecordString(folder);
    legacy.MakeFolder(folder);
    return c;
  }

  void WriteCircuitFile(std::string_view name, std::string_view bytes) {
    legacy.Write("circ/" + std::string(name), bytes);
  }
  std::string ReadCircuitFile(std::string_view name) {
    return legacy.Read("circ/" + std::string(name));
  }
  bool CircuitFileExists(std::string_view name) {
    return legacy.Exists("circ/" + std::string(name));
  }
  std::string CircuitPath() { return legacy.path() + "\\circ"; }

  platform::TempFolder legacy;
};

}  // namespace kzo::circuits

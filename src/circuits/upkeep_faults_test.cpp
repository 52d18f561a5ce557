// The upkeep of "circdb.dat" with one failing file operation: for every k, the k-th open,
// write, close, delete or rename of the upkeep fails, until an upkeep runs without meeting
// its fault. At every point the user's database survives, under its name or as backup 1,
// and a later run on a healthy platform completes the upkeep.
#include <string>
#include <vector>

#include "circuits/backups.h"
#include "circuits/circuit_database.h"
#include "circuits/circuit_test_support.h"
#include "store/run_test_support.h"

namespace kzo::circuits {
namespace {

// Fails the fail_at-th file operation with an error of the error convention; every other
// call goes to the target.
class FailingFileOperation : public platform::EnvWrapper {
 public:
  FailingFileOperation(platform::Env& target, int fail_at)
      : EnvWrapper(target), fail_at_(fail_at) {}

  platform::OpenResult Open(std::string_view path, platform::OpenMode mode) override {
    if (Fails()) return {0, 70};
    return target().Open(path, mode);
  }
  int Write(int handle, const char* buffer, std::size_t size) override {
    if (Fails()) return 61;  // the disk is full
    return target().Write(handle, buffer, size);
  }
  int Close(int handle) override {
    int error = target().Close(handle);
    if (Fails()) return 61;  // a late write of the file failed
    return error;
  }
  int DeleteFile(std::string_view path) override {
    if (Fails()) return 70;
    return target().DeleteFile(path);
  }
  int RenameFile(std::string_view from, std::string_view to) override {
    if (Fails()) return 70;
    return target().RenameFile(from, to);
  }

  int operations() const { return operations_; }

 private:
  bool Fails() { return ++operations_ == fail_at_; }

  int fail_at_;
  int operations_ = 0;
};

// A circuit database record as the user's old program left it: a hire of 12 months and a
// name the roster does not have, so that a database built anew from the roster differs.
std::string UserRecord(int i) {
  return DatabaseRecord({"Old Name " + std::to_string(i), " 7 ", " 12 ", " 0 ", " 1 ", " 0 ", " 0 ",
                         " 0 ", "hired by the user"});
}

std::string UserDatabase(int records) {
  std::string database = NumberLine(records) + "\r\n";
  for (int i = 1; i <= records; ++i) database += UserRecord(i);
  return database;
}

std::vector<std::string> Names(int count) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) names.push_back("Wrestler " + std::to_string(i));
  return names;
}

struct UpkeepCase {
  const char* what;
  int old_records;  // -1: no "circdb.dat" yet
  int wrestlers;
  bool backups;  // backups 1 and 2 exist before the upkeep
};

const UpkeepCase kCases[] = {
    {"a database shorter than the roster", 2, 4, false},
    {"a shorter database with both backups", 2, 4, true},
    {"a database longer than the roster", 5, 3, false},
    {"a rewrite that takes several writes", 2, 1500, false},
    {"a database created in several writes", -1, 1500, false},
};

class UpkeepFaultsTest : public CircuitTest {
 protected:
  std::string Path() { return CircuitPath() + "\\circdb.dat"; }

  // The circuit folder as the case starts: the user's database, its index and backups.
  void Prepare(const UpkeepCase& c) {
    legacy.Remove("circ");
    legacy.MakeFolder("circ");
    if (c.old_records >= 0) WriteCircuitFile("circdb.dat", UserDatabase(c.old_records));
    WriteCircuitFile("circdb.idx", "index");
    if (c.backups) {
      WriteCircuitFile("circdb.dat.bak1", "backup one");
      WriteCircuitFile("circdb.dat.bak2", "backup two");
    }
  }

  // Runs the upkeep in a run of its own on platform, the roster of the case set up anew.
  void Upkeep(platform::Env& platform, const UpkeepCase& c) {
    store::BeginRun(platform);
    SetWrestlers(Names(c.wrestlers));
    UpdateCircuitDatabase(Path());
    store::EndRun();
  }
};

TEST_F(UpkeepFaultsTest, EveryFailingFileOperationKeepsTheDatabaseAndALaterRunCompletes) {
  AddCircuit();
  for (const UpkeepCase& c : kCases) {
    SCOPED_TRACE(c.what);
    Prepare(c);
    Upkeep(env, c);
    ASSERT_TRUE(env.reports.empty());
    const std::string expected = ReadCircuitFile("circdb.dat");
    ASSERT_EQ(expected.substr(0, NumberLine(c.wrestlers).size() + 2),
              NumberLine(c.wrestlers) + "\r\n");
    const std::string user = c.old_records >= 0 ? UserDatabase(c.old_records) : "";
    if (c.old_records >= 0) {
      ASSERT_EQ(expected.compare(NumberLine(c.wrestlers).size() + 2,
                                 user.size() - NumberLine(c.old_records).size() - 2,
                                 user.substr(NumberLine(c.old_records).size() + 2)),
                0)
          << "the user's records come first, unchanged";
    }

    for (int k = 1;; ++k) {
      SCOPED_TRACE("failing operation " + std::to_string(k));
      Prepare(c);
      env.reports.clear();
      FailingFileOperation failing(env, k);
      Upkeep(failing, c);
      if (failing.operations() < k) break;  // the upkeep ran without meeting its fault
      EXPECT_FALSE(env.reports.empty()) << "the failure is reported";
      if (c.old_records >= 0) {
        bool kept =
            (CircuitFileExists("circdb.dat") && ReadCircuitFile("circdb.dat") == user) ||
            (CircuitFileExists("circdb.dat.bak1") && ReadCircuitFile("circdb.dat.bak1") == user);
        EXPECT_TRUE(kept) << "the user's database survives";
      }

      env.reports.clear();
      Upkeep(env, c);
      EXPECT_EQ(ReadCircuitFile("circdb.dat"), expected) << "a healthy run completes the upkeep";
      EXPECT_FALSE(CircuitFileExists("circdb.dat.new"));
      if (c.old_records >= 0) {
        EXPECT_EQ(ReadCircuitFile(BackupName("circdb.dat", 1)), user);
        EXPECT_FALSE(CircuitFileExists("circdb.idx")) << "no index of an older database";
      }
    }
  }
}

// The states an interrupted upkeep leaves, met by the next run.
TEST_F(UpkeepFaultsTest, ARewrittenDatabaseLeftBesideBackupOneTakesItsName) {
  AddCircuit();
  const UpkeepCase c{"", 2, 4, false};
  Prepare(c);
  Upkeep(env, c);
  const std::string rewritten = ReadCircuitFile("circdb.dat");
  legacy.Rename("circ/circdb.dat", "circ/circdb.dat.new");
  WriteCircuitFile("circdb.idx", "index");
  Upkeep(env, c);
  EXPECT_EQ(ReadCircuitFile("circdb.dat"), rewritten);
  EXPECT_EQ(ReadCircuitFile("circdb.dat.bak1"), UserDatabase(2));
  EXPECT_FALSE(CircuitFileExists("circdb.dat.new"));
  EXPECT_FALSE(CircuitFileExists("circdb.idx"));
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(UpkeepFaultsTest, AMissingDatabaseWithOnlyABackupIsCreatedAndTheBackupKept) {
  // No rewritten database waits: the database was removed, and is made from the roster.
  AddCircuit();
  const UpkeepCase c{"", -1, 2, false};
  Prepare(c);
  WriteCircuitFile("circdb.dat.bak1", UserDatabase(2));
  Upkeep(env, c);
  EXPECT_EQ(ReadCircuitFile("circdb.dat").substr(0, 17), " 2 \r\nWrestler 1\r\n");
  EXPECT_EQ(ReadCircuitFile("circdb.dat.bak1"), UserDatabase(2));
}

TEST_F(UpkeepFaultsTest, ARewriteThatFailedLeavesNoPartialFile) {
  AddCircuit();
  const UpkeepCase c{"", 2, 1500, false};
  Prepare(c);
  FailingFileOperation failing(env, 4);  // the second write of "circdb.dat.new"
  Upkeep(failing, c);
  EXPECT_EQ(ReadCircuitFile("circdb.dat"), UserDatabase(2));
  EXPECT_FALSE(CircuitFileExists("circdb.dat.new"));
  EXPECT_EQ(ReadCircuitFile("circdb.idx"), "index");
}

}  // namespace
}  // namespace kzo::circuits

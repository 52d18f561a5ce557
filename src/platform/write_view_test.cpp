#include "platform/write_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/testing/test_env.h"

namespace kzo::platform {
namespace {

class WriteViewTest : public ::testing::Test {
 protected:
  std::string Legacy(std::string_view relative) {
    return folder.path() + "\\" + std::string(relative);
  }

  // The bytes of a file through the view; "missing" when it cannot be opened.
  std::string Read(std::string_view relative) {
    OpenResult opened = view.Open(Legacy(relative), OpenMode::kInput);
    if (opened.error != 0) return "missing " + std::to_string(opened.error);
    std::string bytes;
    char buffer[4];
    for (long n; (n = view.Read(opened.handle, buffer, sizeof buffer)) > 0;)
      bytes.append(buffer, n);
    view.Close(opened.handle);
    return bytes;
  }

  int Write(std::string_view relative, std::string_view bytes, OpenMode mode) {
    OpenResult opened = view.Open(Legacy(relative), mode);
    if (opened.error != 0) return opened.error;
    view.Write(opened.handle, bytes.data(), bytes.size());
    return view.Close(opened.handle);
  }

  // What Changes() lists, as "kind name" with the folder left out.
  std::vector<std::string> Changes() {
    std::vector<std::string> listed;
    const char* kinds[] = {"create", "rewrite", "delete"};
    for (const FileChange& change : view.Changes()) {
      std::string name = change.path.substr(folder.path().size() + 1);
      std::replace(name.begin(), name.end(), '\\', '/');
      listed.push_back(std::string(kinds[change.kind]) + " " + name);
    }
    return listed;
  }

  using Strings = std::vector<std::string>;

  TempFolder folder;
  WriteView view{DefaultEnv()};
};

TEST_F(WriteViewTest, WritesStayInMemoryAndAreReadBack) {
  folder.Write("DATA/Teams.dat", "disk");
  folder.Write("kzo.cnf", "A=1\r\n");
  EXPECT_EQ(Write("data\\teams.dat", "memory", OpenMode::kOutput), 0);
  EXPECT_EQ(Write("KZO.CNF", "B=2\r\n", OpenMode::kAppend), 0);
  EXPECT_EQ(Write("data/new.txt", "x", OpenMode::kAppend), 0);
  EXPECT_EQ(Read("Data\\TEAMS.DAT"), "memory");
  EXPECT_EQ(Read("kzo.cnf"), "A=1\r\nB=2\r\n");
  EXPECT_TRUE(view.FileExists(Legacy("DATA/NEW.TXT")));
  EXPECT_EQ(view.LongPath(Legacy("data/NEW.txt")), folder / "DATA/new.txt");
  EXPECT_EQ(folder.Read("DATA/Teams.dat"), "disk");
  EXPECT_EQ(folder.List("DATA"), Strings{"Teams.dat"});
  EXPECT_EQ(Changes(),
            (Strings{"rewrite DATA/Teams.dat", "create DATA/new.txt", "rewrite kzo.cnf"}));
}

TEST_F(WriteViewTest, RenamesNeverReplaceAndDeletesHideDiskFiles) {
  folder.Write("circdb.dat", "old");
  folder.Write("circdb.idx", "index");
  EXPECT_EQ(Write("circdb.dat.new", "new", OpenMode::kOutput), 0);
  EXPECT_EQ(view.RenameFile(Legacy("circdb.dat.new"), Legacy("CIRCDB.DAT")), 58);
  EXPECT_EQ(view.DeleteFile(Legacy("circdb.idx")), 0);
  EXPECT_EQ(view.DeleteFile(Legacy("circdb.idx")), 53);
  EXPECT_EQ(view.RenameFile(Legacy("circdb.dat"), Legacy("circdb.dat.bak1")), 0);
  EXPECT_EQ(view.RenameFile(Legacy("circdb.dat.new"), Legacy("circdb.dat")), 0);
  EXPECT_EQ(view.RenameFile(Legacy("missing"), Legacy("other")), 53);
  EXPECT_EQ(view.RenameFile(Legacy("circdb.dat"), Legacy("nowhere/circdb.dat")), 76);
  EXPECT_EQ(Read("circdb.dat"), "new");
  EXPECT_EQ(Read("circdb.dat.bak1"), "old");
  EXPECT_EQ(Read("circdb.idx"), "missing 53");
  EXPECT_FALSE(view.FileExists(Legacy("circdb.dat.new")));
  EXPECT_EQ(folder.List(), (Strings{"circdb.dat", "circdb.idx"}));
  EXPECT_EQ(Changes(),
            (Strings{"rewrite circdb.dat", "create circdb.dat.bak1", "delete circdb.idx"}));
}

TEST_F(WriteViewTest, MissingFoldersAndFoldersAsFilesFailAsOnDisk) {
  folder.MakeFolder("data");
  folder.Write("file", "");
  EXPECT_EQ(Write("nowhere/kzo.cnf", "", OpenMode::kAppend), 76);
  EXPECT_EQ(Write("file/kzo.cnf", "", OpenMode::kOutput), 76);
  EXPECT_EQ(Write("data", "", OpenMode::kOutput), 75);
  EXPECT_EQ(Read("nowhere/kzo.cnf"), "missing 76");
  EXPECT_EQ(Changes(), Strings{});
}

}  // namespace
}  // namespace kzo::platform

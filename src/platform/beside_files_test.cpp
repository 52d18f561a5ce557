#include "platform/beside_files.h"

#include <gtest/gtest.h>

#include "platform/testing/test_env.h"

namespace kzo::platform {
namespace {

// Process 42 is this one; 7 runs too; every other number has ended.
class FewProcesses : public TestEnv {
 public:
  long ProcessId() override { return 42; }
  bool ProcessRuns(long id) override { return id == 42 || id == 7; }
};

TEST(BesideFilesTest, OnlyWhatAStoppedRunLeftIsRemoved) {
  FewProcesses env;
  TempFolder folder;
  std::string out = folder / "out.json";
  EXPECT_EQ(NameBeside(env, out, "new"), out + ".new-42");
  for (const char* name :
       {"out.json.new-42", "out.json.old-9", "out.json.new-7", "out.json.new-", "out.json.new--9",
        "out.json.new-9.db", "out.json.bak-9", "out.jsonx.new-9", "other.new-9"}) {
    folder.Write(name, "x");
  }
  folder.Write("out.json.new-8/kzo-export-site.txt", "marker");
  folder.Write("out.json.new-10/page.html", "no marker");
  folder.MakeFolder("out.json.old-11");
  folder.Write("out.json.old-12/sub/page.html", "a folder within");
  EXPECT_EQ(RemoveLeftovers(env, out, "kzo-export-site.txt"), 4);
  EXPECT_EQ(folder.List(),
            (std::vector<std::string>{"other.new-9", "out.json.bak-9", "out.json.new-",
                                      "out.json.new--9", "out.json.new-10", "out.json.new-7",
                                      "out.json.new-9.db", "out.json.old-12", "out.jsonx.new-9"}));
  EXPECT_EQ(FreeNameBeside(env, out, "new"), out + ".new-42");
  folder.Write("out.json.new-42", "the user's");
  EXPECT_EQ(FreeNameBeside(env, out, "new"), std::nullopt);
}

}  // namespace
}  // namespace kzo::platform

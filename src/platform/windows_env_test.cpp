// What only the Windows services do: short names, code page 437 and UTF-8 paths, drives.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/env.h"
#include "platform/paths.h"
#include "platform/testing/test_env.h"

namespace kzo::platform {
namespace {

class WindowsEnvTest : public ::testing::Test {
 protected:
  std::string Legacy(std::string_view relative) {
    return folder.path() + "\\" + std::string(relative);
  }
  // Makes a file whose name is a UTF-16 text.
  void WriteWide(const std::wstring& name) {
    std::filesystem::path file = std::filesystem::path(folder.path()) / name;
    std::filesystem::create_directories(file.parent_path());
    Write(file);
  }
  static void Write(const std::filesystem::path& file) {
    FILE* out = _wfopen(file.c_str(), L"wb");
    ASSERT_NE(out, nullptr);
    std::fclose(out);
  }

  Env& env = DefaultEnv();
  TempFolder folder;
};

TEST_F(WindowsEnvTest, ShortAndLongFormsNameTheSameFile) {
  folder.Write("Music/Intro Theme.MIDI", "x");
  std::optional<std::string> long_form = env.LongPath(Legacy("music\\\\intro theme.midi"));
  EXPECT_EQ(long_form, folder / "Music/Intro Theme.MIDI");
  std::optional<std::string> short_form = env.ShortPath(Legacy("music\\intro theme.midi"));
  ASSERT_TRUE(short_form.has_value());
  std::string short_name = short_form->substr(short_form->rfind('\\') + 1);
  EXPECT_LE(short_name.size(), 12u);
  EXPECT_EQ(short_name.find(' '), std::string::npos);
  EXPECT_EQ(env.LongPath(*short_form), long_form);
  EXPECT_FALSE(env.ShortPath(Legacy("music\\outro.mid")).has_value());
  EXPECT_FALSE(env.LongPath(Legacy("music\\outro.mid")).has_value());
  EXPECT_FALSE(env.LongPath("").has_value());
  std::string lower_drive = folder.path();
  lower_drive[0] = static_cast<char>(std::tolower(lower_drive[0]));
  EXPECT_EQ(env.LongPath(lower_drive), folder.path()) << "the drive as the system shows it";
}

TEST_F(WindowsEnvTest, LegacyNamesAreCodePage437AndCommandLineNamesUtf8) {
  WriteWide(L"caf\u00e9.dat");
  EXPECT_TRUE(env.FileExists(Legacy("caf\x82.dat")));
  EXPECT_TRUE(env.FileExists(Legacy("CAF\x90.DAT"))) << "the system folds accented letters too";
  EXPECT_TRUE(ExactPathEnv().FileExists(folder.path() + "\\caf\xc3\xa9.dat"));
  EXPECT_FALSE(ExactPathEnv().FileExists(folder.path() + "\\caf\x82.dat"));
  EXPECT_EQ(env.LongPath(Legacy("caf\x82.dat")), folder / "caf\x82.dat");
}

// A legacy folder whose name code page 437 cannot spell is still found by its legacy paths.
TEST_F(WindowsEnvTest, WorkingDirectoryInTheTextOfEachEnv) {
  WriteWide(L"\u00e9t\u00e9\\a.dat");
  WriteWide(L"\u65e5\u672c\\b.dat");
  std::string start = ExactPathEnv().WorkingDirectory();
  ASSERT_EQ(env.ChangeDirectory(folder.path() + "\\\xc3\xa9t\xc3\xa9"), 0);
  EXPECT_EQ(env.WorkingDirectory(), folder / "\x82t\x82");
  EXPECT_TRUE(env.FileExists(env.WorkingDirectory() + "\\a.dat"));
  ASSERT_EQ(env.ChangeDirectory(folder.path() + "\\\xe6\x97\xa5\xe6\x9c\xac"), 0);
  EXPECT_EQ(ExactPathEnv().WorkingDirectory(), folder / "\xe6\x97\xa5\xe6\x9c\xac");
  EXPECT_TRUE(env.FileExists(env.WorkingDirectory() + "\\b.dat")) << env.WorkingDirectory();
  ASSERT_EQ(env.ChangeDirectory(start), 0);
}

TEST_F(WindowsEnvTest, AFileWhereAFolderIsExpectedIsAMissingFolder) {
  folder.Write("data", "a file named like the folder");
  for (OpenMode mode : {OpenMode::kInput, OpenMode::kOutput, OpenMode::kAppend}) {
    EXPECT_EQ(env.Open(Legacy("data\\wrestlrs.dat"), mode).error, 76);
  }
  EXPECT_FALSE(env.FileExists(Legacy("DATA\\wrestlrs.dat")));
  EXPECT_EQ(env.ChangeDirectory(folder / "data"), 75);
  EXPECT_EQ(env.ChangeDirectory(folder / "none"), 76);
  EXPECT_EQ(env.RenameFile(Legacy("data"), Legacy("none\\data")), 76);
}

TEST_F(WindowsEnvTest, AZeroByteEndsNoNameAndACaseOnlyRenameFindsTheNameTaken) {
  folder.Write("card.inf", "1");
  std::string cut = Legacy(std::string("card.inf\0.bak", 13));
  EXPECT_EQ(env.Open(cut, OpenMode::kInput).error, 53) << "a zero byte does not end the name";
  EXPECT_FALSE(env.FileExists(cut));
  EXPECT_EQ(env.RenameFile(Legacy("card.inf"), Legacy("CARD.INF")), 58);
  EXPECT_EQ(folder.List(), std::vector<std::string>{"card.inf"});
}

TEST_F(WindowsEnvTest, DrivesAndSeparatorsMakePathsAbsolute) {
  for (std::string_view path : {"c:\\kzo7se", "C:", "\\data", "/data", "\\\\server\\share"}) {
    EXPECT_TRUE(IsAbsolutePath(path)) << path;
    EXPECT_TRUE(IsAbsoluteExactPath(path)) << path;
  }
  EXPECT_FALSE(IsAbsoluteExactPath("data\\teams.dat"));
  EXPECT_FALSE(IsAbsoluteExactPath("1:\\x"));
}

TEST_F(WindowsEnvTest, LargeHeapBlocksAreZeroFilled) {
  int heap = env.HeapCreate();
  std::size_t size = std::size_t{5} << 20;
  auto* block = static_cast<unsigned char*>(env.HeapAlloc(heap, size));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block[0] | block[size / 2] | block[size - 1], 0);
  block[size - 1] = 1;
  env.HeapFree(heap, block);
}

}  // namespace
}  // namespace kzo::platform

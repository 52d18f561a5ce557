#include "store/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/testing/test_env.h"
#include "store/heap.h"
#include "store/run_test_support.h"
#include "store/runtime.h"

namespace kzo::store {
namespace {

class LegacyFileTest : public testing::RunTest {
 protected:
  // Opens a file holding bytes for input under a new file number.
  int OpenWith(std::string_view bytes) {
    folder.Write("data.txt", bytes);
    int file = FreeFile();
    OpenFile(folder / "data.txt", FileMode::kInput, file);
    return file;
  }

  static std::string InputPastEnd(const char* tag) { return ErrorReportText(62, tag); }

  platform::TempFolder folder;
};

TEST_F(LegacyFileTest, ItemsShareALineSeparatedByCommasOrBlanks) {
  int file = OpenWith("7,8\r\n  -3  \r\n1 , 2\r\n\r\n9");
  EXPECT_EQ(ReadNumber(file), 7);
  EXPECT_EQ(ReadNumber(file), 8);
  EXPECT_EQ(ReadNumber(file), -3);
  EXPECT_EQ(ReadNumber(file), 1);
  EXPECT_EQ(ReadNumber(file), 2);
  EXPECT_EQ(ReadNumber(file), 0) << "an empty line reads as 0 and is consumed";
  EXPECT_EQ(ReadNumber(file), 9);
  EXPECT_TRUE(AtEndOfFile(file));
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(LegacyFileTest, AnErrorNamesTheFileAndTheLineBeingRead) {
  std::string previous = env.WorkingDirectory();
  ASSERT_EQ(env.ChangeDirectory(folder.path()), 0);  // names are given from the legacy folder
  int file = OpenWith("1\r\ntwo\r\n");
  ReadNumber(file);
  ReadLine(file);
  ReadLine(file);
  CloseFile(file);
  PrintLine(file, "x");
  OpenFile(folder / "sub\\missing.txt", FileMode::kInput, file);
  EXPECT_EQ(env.places, (std::vector<std::string>{"In data.txt, line 3", "In data.txt",
                                                  "In sub\\missing.txt"}));
  ASSERT_EQ(env.ChangeDirectory(previous), 0);
}

TEST_F(LegacyFileTest, EachRunNamesPlacesFromItsOwnWorkingDirectory) {
  std::string previous = env.WorkingDirectory();
  ASSERT_EQ(env.ChangeDirectory(folder.path()), 0);
  OpenFile(folder / "missing.txt", FileMode::kInput, FreeFile());
  OpenFile(folder / "missing.txt", FileMode::kInput, FreeFile());
  BeginRun(env);
  ASSERT_EQ(env.ChangeDirectory(previous), 0);
  OpenFile(folder / "missing.txt", FileMode::kInput, FreeFile());
  ASSERT_EQ(env.places.size(), 3u);
  EXPECT_EQ(env.places[0], "In missing.txt");
  EXPECT_EQ(env.places[1], "In missing.txt");
  EXPECT_TRUE(env.places[2].ends_with("missing.txt") && env.places[2] != "In missing.txt")
      << env.places[2] << ": the folder of the first run is not the second's";
}

TEST_F(LegacyFileTest, NumberAfterACountStartsOnTheNextLine) {
  int file = OpenWith("7,8\r\nnext\r\n");
  ReadNumber(file);
  ReadNumber(file);
  EXPECT_STREQ(ReadRecordString(file), "next");
}

TEST_F(LegacyFileTest, ItemTextRules) {
  int file = OpenWith(
      "1,,2,\"5\",12abc,1\t2,2.5,3.5,-2.5,1e3,1D2,&HFF,&o17,&B101,&x1,-&H1,&H,+7,-0,0009,"
      "-123456789,1234567890,4\n5,6-\r\n");
  for (int expected : {1,  0, 2, 0, 12, 12, 2, 4, -2,         1000,       100, 255,
                       15, 5, 0, 0, 0,  7,  0, 9, -123456789, 1234567890, 45,  6}) {
    EXPECT_EQ(ReadNumber(file), expected);
  }
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(LegacyFileTest, NumbersOutsideTheIntRangeAreClamped) {
  int file = OpenWith("99999999999 -99999999999 &HFFFFFFFF 1e400\r\n");
  EXPECT_EQ(ReadNumber(file), 2147483647);
  EXPECT_EQ(ReadNumber(file), -2147483647 - 1);
  EXPECT_EQ(ReadNumber(file), 2147483647);
  EXPECT_EQ(ReadNumber(file), 2147483647);
}

TEST_F(LegacyFileTest, LongItemsAre255BytesAndLinesHaveNoLimit) {
  std::string digits(300, '1');
  int file = OpenWith(digits + "\r\n" + digits + "\r\n");
  EXPECT_EQ(ReadRecordString(file), digits);
  EXPECT_EQ(ReadNumber(file), 2147483647) << "255 digits clamp";
  EXPECT_EQ(ReadNumber(file), 2147483647) << "the next item starts at the 256th digit";
  EXPECT_EQ(BytesLeft(file), 0u);
}

TEST_F(LegacyFileTest, LastLineWithoutLineEndThenInputPastEnd) {
  int file = OpenWith("one\r\ntwo");
  EXPECT_STREQ(ReadRecordString(file), "one");
  EXPECT_STREQ(ReadRecordString(file), "two");
  EXPECT_TRUE(env.reports.empty());
  EXPECT_TRUE(AtEndOfFile(file));
  EXPECT_STREQ(ReadRecordString(file), "");
  EXPECT_EQ(ReadNumber(file), 0);
  ASSERT_EQ(env.reports.size(), 2u);
  EXPECT_EQ(env.reports[0], InputPastEnd("MAKEASCI"));
  EXPECT_EQ(env.reports[1], InputPastEnd("KZOMAIN "));
}

TEST_F(LegacyFileTest, NumericReadReportsTheProcedureReadingIt) {
  int file = OpenWith("");
  {
    Procedure procedure("LOADWRES");
    ReadNumber(file);
  }
  EXPECT_EQ(env.reports.at(0),
            "Untrapped Error #62 (Input past end)\r\nhas occurred following execution of "
            "LOADWRES\r\n\r\nPress OK to continue, Cancel to terminate");
}

TEST_F(LegacyFileTest, CtrlZEndsTheFileForEveryRead) {
  int file = OpenWith(
      "1\r\nab\x1A"
      "cd\r\n2\r\n");
  EXPECT_EQ(ReadNumber(file), 1);
  EXPECT_FALSE(AtEndOfFile(file));
  EXPECT_STREQ(ReadRecordString(file), "ab");
  EXPECT_TRUE(AtEndOfFile(file));
  EXPECT_EQ(ReadNumber(file), 0);
  EXPECT_EQ(env.reports.size(), 1u);
}

TEST_F(LegacyFileTest, ATextWithoutCrReadsEveryLfAsCrLf) {
  // A CR after the 0x1A does not count: only the text before it is judged.
  int file = OpenWith("2\n7, 8\nlast\n\x1A\r\n");
  EXPECT_EQ(ReadNumber(file), 2);
  EXPECT_EQ(ReadNumber(file), 7);
  EXPECT_EQ(ReadNumber(file), 8);
  EXPECT_STREQ(ReadRecordString(file), "last");
  EXPECT_TRUE(AtEndOfFile(file));
  EXPECT_TRUE(env.reports.empty());
  CloseFile(file);
  file = OpenWith("a\nb");  // no line end after the last line
  EXPECT_STREQ(ReadRecordString(file), "a");
  EXPECT_STREQ(ReadRecordString(file), "b");
  EXPECT_TRUE(AtEndOfFile(file));
}

TEST_F(LegacyFileTest, LoneLfBelongsToTheLineAndZeroBytesCutRecordStrings) {
  int file = OpenWith(std::string("a\nb\r\nx\0y\r\n\r\n", 12));
  EXPECT_STREQ(ReadRecordString(file), "a\nb");
  Text cut = ReadRecordString(file);
  EXPECT_STREQ(cut, "x");
  EXPECT_EQ(HeapArrayUpper(cut), 4) << "sized by the whole line";
  Text empty = ReadRecordString(file);
  ASSERT_NE(empty, nullptr);
  EXPECT_STREQ(empty, "") << "an empty line is no failure";
  EXPECT_TRUE(env.reports.empty());
}

TEST_F(LegacyFileTest, ALineHoldingExactlyAnotherStringsTextSharesIt) {
  Text name = NewRecordString("Ann");
  int file = OpenWith(std::string("Ann\r\nAnn\0x\r\nAn\0\r\nAnna\r\n\r\n", 26));
  EXPECT_EQ(ReadRecordString(file, name), name);
  Text cut = ReadRecordString(file, name);
  EXPECT_NE(cut, name) << "same text, but a list sized by the longer line";
  EXPECT_STREQ(cut, "Ann");
  Text shorter = ReadRecordString(file, name);
  EXPECT_NE(shorter, name) << "a list of the same size, but holding less";
  EXPECT_STREQ(shorter, "An");
  EXPECT_STREQ(ReadRecordString(file, name), "Anna");
  Text empty = ReadRecordString(file, nullptr);
  EXPECT_STREQ(empty, "") << "nothing to share: a new string";
}

TEST_F(LegacyFileTest, BlockOfLinesKeepsItsCapacityAndReportsEachLinePastTheEnd) {
  int file = OpenWith(std::string("a\r\nb\0c\r\n\r\nd", 11));
  std::vector<std::string_view> lines;
  ReadLines(file, 6, &lines, 5);
  EXPECT_EQ(lines, (std::vector<std::string_view>{"a", "b", "", "d", ""}));
  EXPECT_EQ(env.places, (std::vector<std::string>(2, FilePlace(folder / "data.txt", 4))));
  env.reports.clear();
  lines.clear();
  ReadLines(9, 2, &lines, 5);
  EXPECT_EQ(lines, std::vector<std::string_view>{});
  EXPECT_EQ(env.reports, (std::vector<std::string>(2, ErrorReportText(52, "MAKEASCI"))));
}

TEST_F(LegacyFileTest, FileNotOpen) {
  EXPECT_TRUE(AtEndOfFile(7));
  EXPECT_EQ(ReadNumber(7), 0);
  EXPECT_STREQ(ReadRecordString(7), "");
  PrintLine(7, "lost");
  ASSERT_EQ(env.reports.size(), 3u);
  EXPECT_EQ(env.reports[0], ErrorReportText(52, "KZOMAIN "));
  EXPECT_EQ(env.reports[1], ErrorReportText(52, "MAKEASCI"));
  EXPECT_FALSE(CloseFile(7));
}

TEST_F(LegacyFileTest, OpenFailuresNameTheirError) {
  int file = FreeFile();
  OpenFile(folder / "missing.dat", FileMode::kInput, file);
  OpenFile(folder / "nofolder\\missing.dat", FileMode::kInput, file);
  OpenFile(folder.path(), FileMode::kInput, file);
  ASSERT_EQ(env.reports.size(), 3u);
  EXPECT_EQ(env.reports[0], ErrorReportText(53, "KZOMAIN "));
  EXPECT_EQ(env.reports[1], ErrorReportText(76, "KZOMAIN "));
  EXPECT_EQ(env.reports[2], ErrorReportText(75, "KZOMAIN "));
  EXPECT_FALSE(IsFileOpen(file));
}

TEST_F(LegacyFileTest, CancelClosesFilesAndExitsWith255) {
  int out = FreeFile();
  OpenFile(folder / "out.txt", FileMode::kOutput, out);
  PrintLine(out, "kept");
  env.answers.push_back(platform::Answer::kCancel);
  try {
    RaiseError(53);
    FAIL() << "Cancel must end the process";
  } catch (const platform::ExitRequested& exit) {
    EXPECT_EQ(exit.code, 255);
  }
  EXPECT_FALSE(IsFileOpen(out));
  EXPECT_EQ(folder.Read("out.txt"), "kept\r\n");
}

TEST_F(LegacyFileTest, WritesEndWithCrLfAndAppendKeepsContent) {
  int out = FreeFile();
  OpenFile(folder / "out.txt", FileMode::kOutput, out);
  PrintLine(out, "first");
  PrintLine(out, "");
  CloseFile(out);
  OpenFile(folder / "OUT.TXT", FileMode::kAppend, out);
  PrintLine(out, "more");
  CloseFile(out);
  EXPECT_EQ(folder.Read("out.txt"), "first\r\n\r\nmore\r\n");
  std::vector<std::string> names = folder.List();
  EXPECT_EQ(std::count(names.begin(), names.end(), "OUT.TXT"), 0);
}

TEST_F(LegacyFileTest, CountsNoFileCouldSatisfyAreCut) {
  int file = OpenWith("2000000000\r\nabcdefghij");
  std::int32_t count = ReadNumber(file);
  EXPECT_EQ(CutCount(file, count, 1), 11);
  EXPECT_EQ(CutCount(file, count, 3), 4);
  EXPECT_EQ(CutCount(file, 10, 1), 10) << "a count that fits is kept";
  EXPECT_EQ(CutCount(file, -5, 1), -5);
}

}  // namespace
}  // namespace kzo::store

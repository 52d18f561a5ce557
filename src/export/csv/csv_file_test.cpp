#include "export/csv/csv_file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/test_env.h"

namespace kzo::exporter {
namespace {

// A field is quoted where it holds a comma, a quote, a CR or an LF, and where it is an empty
// text, which no value (an empty field) is not; rows end with CR LF after a byte order mark.
TEST(CsvFileTest, FieldsAreQuotedWhereTheyMustAndTextsDecodedFromCodePage437) {
  platform::TempFolder folder;
  CsvFile file(platform::ExactPathEnv(), folder / "t.csv");
  file.Utf8("name");
  file.Utf8("n");
  file.EndRow();
  for (Text text : {"Jo, \"Kid\"", "a\nb", "c\rd", "Caf\x82", "", "plain"}) {
    file.Field(Str(text));
    file.Field(Int(-7));
    file.EndRow();
  }
  file.Null();
  file.Field(Null());
  file.EndRow();
  EXPECT_EQ(file.Finish(), std::nullopt);
  EXPECT_EQ(folder.Read("t.csv"),
            "\xEF\xBB\xBFname,n\r\n\"Jo, \"\"Kid\"\"\",-7\r\n\"a\nb\",-7\r\n\"c\rd\",-7\r\n"
            "Caf\xC3\xA9,-7\r\n\"\",-7\r\nplain,-7\r\n,\r\n");
}

TEST(CsvFileTest, AFileThatCannotBeMadeSaysWhy) {
  platform::TempFolder folder;
  CsvFile file(platform::ExactPathEnv(), folder / "none/t.csv");
  file.Int(1);
  file.EndRow();
  std::optional<std::string> failure = file.Finish();
  ASSERT_NE(failure, std::nullopt);
  EXPECT_NE(*failure, "");
}

}  // namespace
}  // namespace kzo::exporter

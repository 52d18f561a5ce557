// One CSV file of the CSV export, in the form spreadsheets and the usual readers take
// (RFC 4180): UTF-8 with a byte order mark, a header row of the column names, a row per
// line ended by CR LF, fields separated by commas and quoted where they hold a comma, a
// quote, a CR or an LF (a quote inside doubled). No value is an empty field, an empty text
// an empty quoted field "".
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "export/fields.h"
#include "export/output_file.h"
#include "platform/env.h"
#include "store/text.h"

namespace kzo::exporter {

class CsvFile {
 public:
  // Creates the file at path (taken exactly as written by files) and writes the byte order
  // mark.
  CsvFile(platform::Env& files, const std::string& path);
  CsvFile(const CsvFile&) = delete;
  CsvFile& operator=(const CsvFile&) = delete;

  // The fields of the row being written, in column order.
  void Null();
  void Int(std::int64_t number);
  void Legacy(Text text);  // a model text: decoded from code page 437
  void Utf8(std::string_view text);
  // A value of the model's tables: none, a number or a model text.
  void Field(const Value& value);
  // Ends the row.
  void EndRow();

  // Closes the file; the reason when it could not be written whole.
  std::optional<std::string> Finish();

 private:
  void Separate();
  // Quotes the text field that begins at start of what is pending, where it must be.
  void Quote(std::size_t start);

  bool row_begun_ = false;
  PieceFile file_;
};

}  // namespace kzo::exporter

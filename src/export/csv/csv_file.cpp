#include "export/csv/csv_file.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "platform/code_page.h"

namespace kzo::exporter {
namespace {

// How much of a file is gathered before it is written.

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The bytes that make a field quoted: a comma, a quote, a CR, an LF.
constexpr std::string_view kSpecial = ",\"\r\n";

// The bytes a text that is copied as it is holds: those below 0x80 (the same in UTF-8)
// but the zero that ends it and the special ones.
constexpr auto kPlain = [] {
  std::array<bool, 256> plain{};
  for (int c = 1; c < 0x80; ++c) plain[static_cast<std::size_t>(c)] = true;
  for (unsigned char c : kSpecial) plain[c] = false;
  return plain;
}();

}  // namespace

CsvFile::CsvFile(platform::Env& files, const std::string& path) : file_(files, path) {
  file_.pending() = kByteOrderMark;
}

void CsvFile::Separate() {
  if (row_begun_) file_.pending() += ',';
  row_begun_ = true;
}

void CsvFile::Null() {
  Separate();
}

void CsvFile::Int(std::int64_t number) {
  Separate();
  char digits[24];
  file_.pending().append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

void CsvFile::Legacy(Text text) {
  if (text == nullptr) return Null();
  Separate();
  // Most texts are plain, and are copied in one pass that finds their end.
  const char* end = text;
  while (kPlain[static_cast<unsigned char>(*end)]) ++end;
  if (*end == '\0' && end != text) {
    file_.pending().append(text, end);
    return;
  }
  std::size_t start = file_.pending().size();
  platform::AppendCp437AsUtf8(file_.pending(), View(text));
  Quote(start);
}

void CsvFile::Utf8(std::string_view text) {
  Separate();
  std::size_t start = file_.pending().size();
  file_.pending() += text;
  Quote(start);
}

void CsvFile::Quote(std::size_t start) {
  std::string_view field = std::string_view(file_.pending()).substr(start);
  if (!field.empty() && field.find_first_of(kSpecial) == std::string_view::npos) return;
  std::string text(field);
  file_.pending().resize(start);
  file_.pending() += '"';
  for (char c : text) {
    file_.pending() += c;
    if (c == '"') file_.pending() += '"';
  }
  file_.pending() += '"';
}

void CsvFile::Field(const Value& value) {
  switch (value.kind) {
    case Value::Kind::kInt:
      return Int(value.number);
    case Value::Kind::kText:
      return Legacy(value.text);
    case Value::Kind::kNull:
    case Value::Kind::kRecord:  // no column holds a record
      return Null();
  }
}

void CsvFile::EndRow() {
  file_.pending() += "\r\n";
  row_begun_ = false;
  file_.HandOver();
}

std::optional<std::string> CsvFile::Finish() {
  return file_.Finish();
}

}  // namespace kzo::exporter

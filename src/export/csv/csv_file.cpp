#include "export/csv/csv_file.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "platform/code_page.h"

namespace kzo::exporter {
namespace {

// How much of a file is gathered before it is written.
constexpr std::size_t kPieceSize = 1 << 16;

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

CsvFile::CsvFile(platform::Env& files, const std::string& path) : files_(files) {
  platform::OpenResult opened = files_.Open(path, platform::OpenMode::kOutput);
  if (opened.error != 0) failure_ = files_.LastErrorText();
  handle_ = opened.handle;
  pending_ = kByteOrderMark;
}

CsvFile::~CsvFile() {
  if (handle_ > 0) files_.Close(handle_);
}

void CsvFile::Separate() {
  if (row_begun_) pending_ += ',';
  row_begun_ = true;
}

void CsvFile::Null() {
  Separate();
}

void CsvFile::Int(std::int64_t number) {
  Separate();
  char digits[24];
  pending_.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

void CsvFile::Legacy(Text text) {
  if (text == nullptr) return Null();
  Separate();
  // Most texts are plain, and are copied in one pass that finds their end.
  const char* end = text;
  while (kPlain[static_cast<unsigned char>(*end)]) ++end;
  if (*end == '\0' && end != text) {
    pending_.append(text, end);
    return;
  }
  std::size_t start = pending_.size();
  platform::AppendCp437AsUtf8(pending_, View(text));
  Quote(start);
}

void CsvFile::Utf8(std::string_view text) {
  Separate();
  std::size_t start = pending_.size();
  pending_ += text;
  Quote(start);
}

void CsvFile::Quote(std::size_t start) {
  std::string_view field = std::string_view(pending_).substr(start);
  if (!field.empty() && field.find_first_of(kSpecial) == std::string_view::npos) return;
  std::string text(field);
  pending_.resize(start);
  pending_ += '"';
  for (char c : text) {
    pending_ += c;
    if (c == '"') pending_ += '"';
  }
  pending_ += '"';
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
  pending_ += "\r\n";
  row_begun_ = false;
  if (pending_.size() < kPieceSize) return;
  if (!failure_ && files_.Write(handle_, pending_.data(), pending_.size()) != 0) {
    failure_ = files_.LastErrorText();
  }
  pending_.clear();
}

std::optional<std::string> CsvFile::Finish() {
  if (handle_ <= 0) return failure_;
  if (!failure_ && !pending_.empty() &&
      files_.Write(handle_, pending_.data(), pending_.size()) != 0) {
    failure_ = files_.LastErrorText();
  }
  pending_.clear();
  if (files_.Close(handle_) != 0 && !failure_) failure_ = files_.LastErrorText();
  handle_ = 0;
  return failure_;
}

}  // namespace kzo::exporter

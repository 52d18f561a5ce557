#include "export/json_writer.h"

#include <algorithm>
#include <cstdio>

#include "platform/code_page.h"

namespace kzo::exporter {
namespace {

// How much of a document a writer with a sink gathers before handing it over.
constexpr std::size_t kPieceSize = 1 << 20;

// Appends a JSON string literal of legacy bytes (decoded from code page 437) or of UTF-8.
void AppendJsonString(std::string& out, std::string_view bytes, bool legacy) {
  out += '"';
  auto needs_escape = [](char c) {
    return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
  };
  while (!bytes.empty()) {
    std::size_t run = static_cast<std::size_t>(
        std::find_if(bytes.begin(), bytes.end(), needs_escape) - bytes.begin());
    if (legacy) {
      platform::AppendCp437AsUtf8(out, bytes.substr(0, run));
    } else {
      out.append(bytes.substr(0, run));
    }
    if (run == bytes.size()) break;
    char c = bytes[run];
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04x", static_cast<unsigned char>(c));
      out += escape;
    }
    bytes.remove_prefix(run + 1);
  }
  out += '"';
}

}  // namespace

void JsonWriter::Flush() {
  if (sink_ == nullptr || out_.empty()) return;
  sink_->Take(out_);
  out_.clear();
}

void JsonWriter::BeforeValue(bool container) {
  if (sink_ != nullptr && out_.size() >= kPieceSize) Flush();
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (levels_.empty()) return;
  Level& level = levels_.back();
  if (level.has_items) out_ += ',';
  if (indented_ && (level.object || container)) {
    NewLine(levels_.size());
    level.broken = true;
  } else if (indented_ && level.has_items) {
    out_ += ' ';
  }
  level.has_items = true;
}

void JsonWriter::NewLine(std::size_t depth) {
  out_ += '\n';
  out_.append(2 * depth, ' ');
}

void JsonWriter::End(char bracket) {
  if (levels_.back().broken) NewLine(levels_.size() - 1);
  levels_.pop_back();
  out_ += bracket;
}

void JsonWriter::BeginObject() {
  BeforeValue(true);
  out_ += '{';
  levels_.push_back({.object = true});
}

void JsonWriter::EndObject() {
  End('}');
}

void JsonWriter::BeginArray() {
  BeforeValue(true);
  out_ += '[';
  levels_.push_back({.object = false});
}

void JsonWriter::EndArray() {
  End(']');
}

void JsonWriter::Key(std::string_view key) {
  BeforeValue();
  AppendJsonString(out_, key, false);
  out_ += indented_ ? ": " : ":";
  after_key_ = true;
}

void JsonWriter::Int(std::int64_t value) {
  BeforeValue();
  out_ += std::to_string(value);
}

void JsonWriter::TextValue(Text text) {
  if (text == nullptr) {
    Null();
    return;
  }
  BeforeValue();
  AppendJsonString(out_, text, true);
}

void JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  AppendJsonString(out_, utf8, false);
}

void JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
}

void JsonWriter::IntList(std::string_view key, const std::int32_t* slots, int first, int last) {
  Key(key);
  BeginArray();
  for (int i = first; slots != nullptr && i <= last; ++i) Int(slots[i]);
  EndArray();
}

void JsonWriter::TextList(std::string_view key, const Text* slots, int first, int last) {
  Key(key);
  BeginArray();
  for (int i = first; slots != nullptr && i <= last; ++i) TextValue(slots[i]);
  EndArray();
}

}  // namespace kzo::exporter

#include "export/json_writer.h"

#include <cstdio>

namespace kzo::exporter {
namespace {

// How much of a document a writer with a sink gathers before handing it over.
constexpr std::size_t kPieceSize = 1 << 20;

// Code points of the bytes 0x80-0xFF of code page 437.
constexpr char16_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

void AppendUtf8(std::string& out, char16_t code) {
  if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Appends a JSON string literal of legacy bytes.
void AppendJsonString(std::string& out, std::string_view bytes, bool legacy) {
  out += '"';
  for (char c : bytes) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04x", byte);
      out += escape;
    } else if (byte < 0x80 || !legacy) {
      out += c;
    } else {
      AppendUtf8(out, kCp437High[byte - 0x80]);
    }
  }
  out += '"';
}

}  // namespace

void AppendCp437AsUtf8(std::string& out, std::string_view bytes) {
  for (char c : bytes) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      AppendUtf8(out, kCp437High[byte - 0x80]);
    }
  }
}

void JsonWriter::Flush() {
  if (sink_ == nullptr || out_.empty()) return;
  sink_->Take(out_);
  out_.clear();
}

void JsonWriter::BeforeValue() {
  if (sink_ != nullptr && out_.size() >= kPieceSize) Flush();
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (!has_items_.empty()) {
    if (has_items_.back()) out_ += ',';
    has_items_.back() = true;
  }
}

void JsonWriter::BeginObject() {
  BeforeValue();
  out_ += '{';
  has_items_.push_back(false);
}

void JsonWriter::EndObject() {
  has_items_.pop_back();
  out_ += '}';
}

void JsonWriter::BeginArray() {
  BeforeValue();
  out_ += '[';
  has_items_.push_back(false);
}

void JsonWriter::EndArray() {
  has_items_.pop_back();
  out_ += ']';
}

void JsonWriter::Key(std::string_view key) {
  BeforeValue();
  AppendJsonString(out_, key, false);
  out_ += ':';
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

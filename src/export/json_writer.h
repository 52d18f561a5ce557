// A small JSON writer for the model export. Texts of the model are decoded from code page
// 437 into UTF-8; members and elements are separated as they are written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/text.h"

namespace kzo::exporter {

// Where the bytes of a document go while it is written: a writer with a sink hands its
// text over in pieces, so that no document is held whole in memory.
class JsonSink {
 public:
  virtual ~JsonSink() = default;
  virtual void Take(std::string_view bytes) = 0;
};

class JsonWriter {
 public:
  // Writes into out; with a sink, out is handed to the sink whenever it has grown large.
  explicit JsonWriter(std::string& out, JsonSink* sink = nullptr) : out_(out), sink_(sink) {}

  // From now on writes for people to read: each member of an object, and each object or
  // array in an array, on a line of its own, indented by two spaces a level; other array
  // elements follow each other on one line.
  void Indent() { indented_ = true; }

  // Hands everything written so far to the sink (when there is one).
  void Flush();

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // Starts a member of the current object; its value follows.
  void Key(std::string_view key);

  void Int(std::int64_t value);
  // A model text: a JSON string, or null for a null text.
  void TextValue(Text text);
  // A string that is already UTF-8.
  void String(std::string_view utf8);
  void Null();
  void Bool(bool value);

  // Members: a key and its value.
  void Int(std::string_view key, std::int64_t value) {
    Key(key);
    Int(value);
  }
  void TextValue(std::string_view key, Text text) {
    Key(key);
    TextValue(text);
  }
  // A list member holding slots first..last of an int list.
  void IntList(std::string_view key, const std::int32_t* slots, int first, int last);
  // A list member holding slots first..last of a text list.
  void TextList(std::string_view key, const Text* slots, int first, int last);

 private:
  // Separates the value about to be written (an object or array: container) from the
  // one before it.
  void BeforeValue(bool container = false);
  void End(char bracket);
  void NewLine(std::size_t depth);

  // An open object or array.
  struct Level {
    bool object;
    bool has_items = false;  // an item was written
    bool broken = false;     // an item was written on a line of its own
  };

  std::string& out_;
  JsonSink* sink_;
  std::vector<Level> levels_;
  bool after_key_ = false;
  bool indented_ = false;
};

}  // namespace kzo::exporter

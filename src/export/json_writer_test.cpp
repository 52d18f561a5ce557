#include "export/json_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kzo::exporter {
namespace {

std::string Written(void (*write)(JsonWriter&)) {
  std::string out;
  JsonWriter json(out);
  write(json);
  return out;
}

TEST(JsonWriterTest, TextsAreEscapedAsJsonRequiresAndDecodedFromCodePage437) {
  EXPECT_EQ(Written([](JsonWriter& json) {
              json.BeginArray();
              json.TextValue("\x01\t\n\r\x1f \x7f");
              json.TextValue("say \"hi\" \\ back");
              json.TextValue("Caf\x82 \xB3\xFF\x9B");
              json.TextValue("");
              json.TextValue(nullptr);
              json.EndArray();
            }),
            "[\"\\u0001\\u0009\\u000a\\u000d\\u001f \x7f\",\"say \\\"hi\\\" \\\\ back\","
            "\"Caf\xC3\xA9 \xE2\x94\x82\xC2\xA0\xC2\xA2\",\"\",null]");
}

TEST(JsonWriterTest, Utf8StringsAndKeysStayAsTheyAre) {
  EXPECT_EQ(Written([](JsonWriter& json) {
              json.BeginObject();
              json.Key("a\"b\xC3\xA9");
              json.String("\xC3\xA9\n");
              json.TextValue("t", "x");
              json.Int("n", -5);
              json.Key("list");
              json.BeginArray();
              json.BeginObject();
              json.EndObject();
              json.Null();
              json.EndArray();
              json.EndObject();
            }),
            "{\"a\\\"b\xC3\xA9\":\"\xC3\xA9\\u000a\",\"t\":\"x\",\"n\":-5,\"list\":[{},null]}");
}

TEST(JsonWriterTest, AnIndentedWriterPutsMembersAndNestedValuesOnLinesOfTheirOwn) {
  EXPECT_EQ(Written([](JsonWriter& json) {
              json.Indent();
              json.BeginObject();
              json.Int("n", 1);
              json.Key("types");
              json.BeginArray();
              json.String("a");
              json.Null();
              json.EndArray();
              json.Key("list");
              json.BeginArray();
              json.BeginObject();
              json.EndObject();
              json.BeginObject();
              json.Key("x");
              json.Bool(true);
              json.EndObject();
              json.EndArray();
              json.Key("empty");
              json.BeginArray();
              json.EndArray();
              json.EndObject();
            }),
            "{\n  \"n\": 1,\n  \"types\": [\"a\", null],\n  \"list\": [\n    {},\n    {\n"
            "      \"x\": true\n    }\n  ],\n  \"empty\": []\n}");
}

// Takes the pieces a writer hands over.
class Pieces : public JsonSink {
 public:
  void Take(std::string_view bytes) override { pieces.emplace_back(bytes); }
  std::vector<std::string> pieces;
};

TEST(JsonWriterTest, AWriterWithASinkHandsOverLargePiecesAndTheRestWhenFlushed) {
  std::string out;
  Pieces sink;
  JsonWriter json(out, &sink);
  std::string text(1 << 19, 'x');
  json.BeginArray();
  for (int i = 0; i < 3; ++i) json.TextValue(text.c_str());
  json.EndArray();
  EXPECT_EQ(sink.pieces.size(), 1u);
  json.Flush();
  std::string whole;
  for (const std::string& piece : sink.pieces) whole += piece;
  EXPECT_EQ(whole, "[\"" + text + "\",\"" + text + "\",\"" + text + "\"]");
  EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace kzo::exporter

#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace kzo::platform {
namespace {

TEST(CodePageTest, HighBytesBecomeTheirCharactersInUtf8AndTheRestStays) {
  std::string out = "x";
  AppendCp437AsUtf8(out, std::string_view("a\x00\x82\xB3\xFF", 5));
  EXPECT_EQ(out, std::string("xa\x00\xC3\xA9\xE2\x94\x82\xC2\xA0", 10));
  for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
    EXPECT_EQ(Cp437Byte(Cp437CodePoint(static_cast<unsigned char>(byte))), byte);
  }
}

}  // namespace
}  // namespace kzo::platform

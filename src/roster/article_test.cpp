#include "roster/article.h"

#include <gtest/gtest.h>

#include <utility>

#include "store/run_test_support.h"

namespace kzo::roster {
namespace {

using RemoveArticleTest = testing::RunTest;

TEST_F(RemoveArticleTest, DropsOneLeadingLowerCaseArticle) {
  const std::pair<const char*, const char*> cases[] = {
      {"the Sleeper", "Sleeper"},
      {"an Armbar", "Armbar"},
      {"a Headlock", "Headlock"},
      {"The Sleeper", "The Sleeper"},
      {"Piledriver", "Piledriver"},
      {"theatre Slam", "theatre Slam"},
      {"the", "the"},
      {"the ", ""},
      {"the  Claw", " Claw"},
      {"the a Claw", "a Claw"},
      {" the Claw", " the Claw"},
      {"", ""},
  };
  for (auto [name, expected] : cases) {
    Text result = RemoveArticle(name);
    EXPECT_STREQ(result, expected) << "'" << name << "'";
    EXPECT_NE(result, name);
  }
  EXPECT_STREQ(RemoveArticle(nullptr), "");
}

}  // namespace
}  // namespace kzo::roster

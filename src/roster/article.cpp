#include "roster/article.h"

#include <string_view>

#include "store/heap.h"
#include "store/runtime.h"

namespace kzo::roster {

Text RemoveArticle(Text name) {
  store::Procedure procedure("REMOVEAR");
  std::string_view text = name ? std::string_view(name) : std::string_view("");
  std::size_t blank = text.find(' ');
  if (blank != std::string_view::npos) {
    std::string_view word = text.substr(0, blank);
    if (word == "a" || word == "an" || word == "the") text.remove_prefix(blank + 1);
  }
  return store::NewRecordString(text);
}

}  // namespace kzo::roster

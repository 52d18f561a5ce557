// Names without their leading article, as moves, dives and foreign objects are displayed.
#pragma once

#include "store/text.h"

namespace kzo::roster {

// A new record string holding name without one leading lower-case article ("a", "an" or
// "the") and the one blank after it; otherwise a copy of name. A null name reads as empty.
Text RemoveArticle(Text name);

}  // namespace kzo::roster

// The small file and console helpers every loader uses.
#pragma once

#include <string_view>

namespace kzo::config {

// Opens an existing file for input under a free file number and returns the number; the
// caller reads and closes it. A name that is not an existing regular file (missing, a
// folder, empty, holding "?" or "*", ending with ":") opens nothing and gives 0 without a
// report. An existing file that fails to open is reported, and its number is returned
// all the same (reads from it then report that it is not open).
int SAFEOPEN(std::string_view file_name);

// Writes the message and CR LF to standard output as one line.
void MSGBOX(std::string_view message);

}  // namespace kzo::config

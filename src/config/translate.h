// Translation of paths between the legacy form, in which the legacy simulator stored them
// (its installation folder "c:\kzo7se", the exchange folder "c:\kzo_xchg\" reached through
// the drive "t:\"), and their real form on this machine, whose legacy folder is root.
#pragma once

#include <string>
#include <string_view>

namespace kzo::config {

// Lower-cases path and root (code page 437 rule), then translates path to the legacy form
// when root occurs in it (an empty root always does) or it begins with "c:\kzo_xchg\", and
// from the legacy form otherwise. To the legacy form needs the platform's short form of
// the path and without one returns the lower-cased path. From the legacy form the folders
// are replaced and the path becomes the platform's long form when the file or folder
// exists; a non-zero show then writes that long form to the console. Never fails.
std::string TranslatePath(std::string_view path, std::string_view root, int show);

}  // namespace kzo::config

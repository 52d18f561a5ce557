// kzo-export --format html: a static web site of the model, a folder of pages that opens in
// any browser from disk and fetches nothing from the network.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/env.h"

namespace kzo::exporter {

// The file that marks a folder as a site written by kzo-export, which a later export may
// replace.
inline constexpr std::string_view kSiteMarker = "kzo-export-site.txt";

// Writes the site of the model that the last load built into a new folder beside folder
// and, when it is complete, gives it the name folder, replacing an empty folder or an
// earlier site there. On failure nothing is left of the new folder, folder stays as it
// was, and the reason is returned. files takes paths exactly as written.
std::optional<std::string> WriteHtmlSite(platform::Env& files, const std::string& folder);

}  // namespace kzo::exporter

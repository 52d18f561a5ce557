// The layers of src/, each using only those before it. Every quoted include of the code,
// its tests and their test support (*_test_support.h) names a layer at or before its own
// file's layer, so a layer's tests build from that layer and those before it; only the
// platform layer's code includes the system's headers for files, folders, time or
// randomness (tests may use them to set up their folders).
// Inside the export, each format has a room of its own (a folder of src/export other than
// main): no room includes another, and what the formats share (src/export itself) includes
// no room, except the command line, which dispatches to them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/testing/test_env.h"

namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 9> kLayers = {
    "platform", "store", "config", "roster", "model", "matchtext", "circuits", "driver", "export"};

constexpr std::array<std::string_view, 10> kPlatformHeaders = {
    "<filesystem>", "<fstream>", "<random>",   "<chrono>", "<ctime>",
    "<unistd.h>",   "<fcntl.h>", "<dirent.h>", "<sys/",    "<windows.h>"};

// The rank of the layer a path below src/ starts with; kLayers.size() for none.
std::size_t LayerRank(std::string_view relative) {
  std::string_view first = relative.substr(0, relative.find('/'));
  return static_cast<std::size_t>(std::find(kLayers.begin(), kLayers.end(), first) -
                                  kLayers.begin());
}

// The command line of the export, the one shared file that includes the formats' rooms.
constexpr std::string_view kExportDispatcher = "export/export_main.cpp";

// The export format's room a path below src/ lies in ("json" for "export/json/x.h"), or ""
// for a path outside the rooms.
std::string_view ExportRoom(std::string_view relative) {
  if (!relative.starts_with("export/")) return "";
  std::string_view rest = relative.substr(7);
  std::size_t slash = rest.find('/');
  if (slash == std::string_view::npos || rest.substr(0, slash) == "main") return "";
  return rest.substr(0, slash);
}

// Why an include of target from the file at relative crosses the export's rooms, or "".
std::string_view RoomViolation(std::string_view relative, std::string_view target) {
  std::string_view from = ExportRoom(relative);
  std::string_view to = ExportRoom(target);
  if (to.empty() || to == from) return "";
  if (!from.empty()) return "another export format's room";
  if (relative == kExportDispatcher) return "";
  return "an export format's room, from what the formats share";
}

bool IsTest(const fs::path& file) {
  std::string name = file.filename().string();
  return name.ends_with("_test.cpp") || name.ends_with("_test_support.h");
}

// One line per include that breaks the order: "file: #include ... (reason)".
std::vector<std::string> LayerViolations(const fs::path& src) {
  std::vector<std::string> violations;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(src)) {
    const fs::path& file = entry.path();
    if (!entry.is_regular_file()) continue;
    if (file.extension() != ".cpp" && file.extension() != ".h") continue;
    std::string relative = fs::relative(file, src).generic_string();
    std::size_t rank = LayerRank(relative);
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
      if (!line.starts_with("#include ")) continue;
      std::string_view target = std::string_view(line).substr(9);
      std::string where = "src/" + relative + ": " + line;
      std::string_view crossing =
          target.starts_with('"') ? RoomViolation(relative, target.substr(1)) : "";
      if (rank == kLayers.size()) {
        violations.push_back(where + " (the file is in no layer)");
      } else if (target.starts_with('"') && LayerRank(target.substr(1)) > rank &&
                 !(IsTest(file) && LayerRank(target.substr(1)) == kLayers.size())) {
        // (Tests may use the support of the end-to-end tests, which is in no layer.)
        violations.push_back(where + " (a later layer)");
      } else if (!crossing.empty()) {
        violations.push_back(where + " (" + std::string(crossing) + ")");
      } else if (rank > 0 && !IsTest(file) &&
                 std::any_of(kPlatformHeaders.begin(), kPlatformHeaders.end(),
                             [&](std::string_view h) { return target.starts_with(h); })) {
        violations.push_back(where + " (an operating-system service outside the platform)");
      }
    }
  }
  std::sort(violations.begin(), violations.end());
  return violations;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST(LayerOrderTest, EveryIncludeOfTheCodeNamesAnEarlierLayer) {
  std::vector<std::string> violations = LayerViolations(fs::path(KZO_SOURCE_DIR) / "src");
  EXPECT_TRUE(violations.empty()) << Joined(violations);
}

TEST(LayerOrderTest, ALaterLayerAFolderOutsideTheLayersASystemHeaderAndAnotherRoomAreNamed) {
  kzo::platform::TempFolder src;
  src.Write("roster/a.h", "#include \"store/text.h\"\n#include \"model/circuit.h\"\n");
  src.Write("roster/a_test.cpp", "#include \"export/json.h\"\n#include <filesystem>\n");
  src.Write("roster/a_test_support.h",
            "#include \"store/run_test_support.h\"\n#include \"../../tests/support/x.h\"\n");
  src.Write("roster/b_test_support.h", "#include \"driver/run_test_support.h\"\n");
  src.Write("roster/b.cpp", "#include <chrono>\n#include <string>\n");
  src.Write("misc/c.cpp", "#include <string>\n");
  src.Write("export/json/d.cpp", "#include \"export/json/d.h\"\n#include \"export/html/e.h\"\n");
  src.Write("export/fields.cpp", "#include \"export/sqlite/f.h\"\n#include \"export/fields.h\"\n");
  src.Write("export/export_main.cpp", "#include \"export/sqlite/f.h\"\n");
  src.Write("export/main/g.cpp", "#include \"export/export_main.h\"\n");
  std::vector<std::string> expected = {
      "src/export/fields.cpp: #include \"export/sqlite/f.h\" (an export format's room, from what "
      "the formats share)",
      "src/export/json/d.cpp: #include \"export/html/e.h\" (another export format's room)",
      "src/misc/c.cpp: #include <string> (the file is in no layer)",
      "src/roster/a.h: #include \"model/circuit.h\" (a later layer)",
      "src/roster/a_test.cpp: #include \"export/json.h\" (a later layer)",
      "src/roster/b.cpp: #include <chrono> (an operating-system service outside the platform)",
      "src/roster/b_test_support.h: #include \"driver/run_test_support.h\" (a later layer)",
  };
  EXPECT_EQ(LayerViolations(src.path()), expected);
}

}  // namespace

// The sample installation of the README: every roster kind, two circuits, every verb.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/testing/test_env.h"
#include "support/run_program.h"

namespace kzo {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

class SampleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(std::filesystem::path(KZO_SOURCE_DIR) / "examples" / "sample",
                          folder.path(), std::filesystem::copy_options::recursive);
  }
  platform::TempFolder folder;
};

TEST_F(SampleTest, ImportsWithoutReportsAndListsEveryMatchWithItsBreakdown) {
  testing::ProgramRun run = testing::RunProgram(KZO_IMPORT_PROGRAM, {}, folder.path());
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(folder.Read("matches.txt"), ReadFile(std::filesystem::path(KZO_SOURCE_DIR) / "tests" /
                                                 "golden" / "sample-matches.txt"));
  EXPECT_TRUE(folder.Exists("cwa/circdb.dat"));
  EXPECT_TRUE(folder.Exists("npw/circdb.dat"));
}

TEST_F(SampleTest, TheExportShowsEveryRosterKindAsTheFilesSay) {
  testing::ProgramRun run =
      testing::RunProgram(KZO_EXPORT_PROGRAM, {"--output", "model.json"}, folder.path());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  std::string script = R"(
import json
d = json.load(open('model.json', encoding='utf-8'))
assert d['settings'] == {'UsePersons': 1, 'CCBackground': 2, 'GlobalHiring': 1, 'GlobalHiringLimitTo': '|cwa|npw|'}
m = d['managers'][1]
assert (m['maname'], m['interference_rating'], m['toughness_rating'], m['stealthiness_rating']) == ('Silas Pent', 12, 1, 5)
assert (d['moves'][0]['mname'], d['moves'][1]['mname'], d['moves'][1]['mname_noarticle']) == ('--- None ---', 'a Headlock', 'Headlock')
assert (d['moves'][1]['damage'], d['moves'][1]['is_not_blockable']) == (112, 1)
assert (d['dives'][1]['dname_noarticle'], d['dives'][1]['possible_off_cage']) == ('Plancha', 1)
w = d['wrestlers'][1]
assert (w['wname'], w['moves_count'], w['dives'][:2], w['dives_count']) == ('Brannoc Tell', 23, [4, 1], 2)
assert (w['counter1'], w['counter2'], w['counter3'], w['finisher_opponent_max_weight']) == (10, 12, 4, 2)
assert (w['source'], w['created'], w['importer'], w['modified']) == ('Legacy KZO Data', 0, 'KZO 7 For Windows Importer', 0)
assert d['foreign_objects'][1]['fname_noarticle'] == 'Steel Chair'
g = d['gimmick_matches'][1]
assert (g['match_gname'], g['match_foreign_object_mobility'], g['match_ends_by_pinfall']) == ('Steel Cage Match', 3, 1)
s = d['stables'][1]
assert (s['sname'], s['managers'], s['wrestlers'], s['wrestlers_count']) == ('The Ledger', [1, 0, 0, 0, 0], [2, 4, 11], 3)
t = d['teams'][1]
assert t['tname_full'] == 'The Harbor Wolves (Gunnar Haldt/Pell Corrigan)'
assert (t['finisher'], t['finisher_who_pins'], t['finisher_is_simple']) == ('Harbor Crash', 'Gunnar Haldt', 1)
assert (d['teams'][2]['finisher_combo1'], d['teams'][2]['finisher_combo2_named']) == (4, 'Big Splash')
assert d['crowd_reactions'][0] == {'crowd_kind': 1, 'reaction': 1, 'wrestler_name': 'Brannoc Tell', 'text': 'Tell! Tell! Tell!', 'spare': 0}
assert d['circuits'][0]['titles'][0]['holder_names'] == ['Brannoc Tell']
assert len(d['field_dictionary']) == 243
print('ok')
)";
  testing::ProgramRun check =
      testing::RunProgram("/usr/bin/python3", {"-c", script}, folder.path());
  EXPECT_EQ(check.out, "ok\n") << check.err;
}

}  // namespace
}  // namespace kzo

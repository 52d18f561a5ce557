#include "export/title_credits.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

#include "export/slots.h"
#include "matchtext/participants.h"
#include "model/circuit.h"
#include "model/find_wrestler.h"
#include "roster/database.h"

namespace kzo::exporter {
namespace {

constexpr std::string_view kAnd = " and ";

// A team record of a name: the circuit's own when it has one, for its members (as name
// matching takes the circuit's teams file first), and the roster's number for its page.
struct TeamOfName {
  const roster::TeamRecord* record = nullptr;
  int roster_team = 0;
};

// The teams a circuit's titles are read with.
struct CircuitTeams {
  std::vector<matchtext::TeamNames> expansion;  // the teams file name matching would read
  std::unordered_map<std::string_view, TeamOfName> by_name;
  std::size_t longest = 0;  // the longest name
};

CircuitTeams TeamsOf(const model::CircuitRecord& circuit) {
  CircuitTeams teams;
  const std::vector<roster::TeamRecord>& roster_teams = roster::Database().teams;
  for (std::size_t t = 1; t < roster_teams.size(); ++t) {
    const roster::TeamRecord& team = roster_teams[t];
    if (View(team.tname).empty() || teams.by_name.contains(View(team.tname))) continue;
    teams.by_name[View(team.tname)] = {&team, static_cast<int>(t)};
  }
  int own = StoredSlots(circuit.teams, circuit.team_count, model::kMaxCircuitTeams);
  for (int t = 1; t <= own; ++t) {
    const roster::TeamRecord& team = circuit.teams[t];
    if (!View(team.tname).empty()) teams.by_name[View(team.tname)].record = &team;
  }
  for (const auto& [name, team] : teams.by_name)
    teams.longest = std::max(teams.longest, name.size());
  auto expand_with = [&](const roster::TeamRecord& team) {
    teams.expansion.push_back({View(team.wrestler1), View(team.wrestler2), View(team.tname)});
  };
  if (circuit.teams != nullptr) {
    for (int t = 1; t <= own; ++t) expand_with(circuit.teams[t]);
  } else {
    for (std::size_t t = 1; t < roster_teams.size(); ++t) expand_with(roster_teams[t]);
  }
  return teams;
}

// The team names a holder text may hold: each name of its list, and the name in front of
// each parenthesised member list (back to a comma or an " and "), which the reduction drops.
// No name is longer than longest, the longest team name.
std::vector<std::string> TeamNameCandidates(std::string_view holder, std::size_t longest) {
  std::vector<std::string> names;
  for (std::string& name :
       matchtext::SplitParticipantList(matchtext::ReduceParticipantText(holder))) {
    if (name.size() <= longest) names.push_back(std::move(name));
  }
  std::size_t close = holder.rfind(')');
  std::size_t start = 0;  // of the name in front of the position
  for (std::size_t at = 0; close != std::string_view::npos && at < close; ++at) {
    if (holder[at] == ',') {
      start = at + 1;
    } else if (holder.substr(at).starts_with(kAnd)) {
      start = at + kAnd.size();
    } else if (holder[at] == '(') {
      std::string_view name = TrimBlanks(holder.substr(start, at - start));
      if (name.size() <= longest) names.emplace_back(name);
    }
  }
  return names;
}

// The wrestler of the roster a name names: the roster's name, else the circuit's name for
// one; 0 for none (an empty name names no one).
int WrestlerNamed(std::string_view name, int circuit) {
  if (name.empty()) return 0;
  int wrestlers = roster::StoredWrestlerCount();
  for (int searched : {0, circuit}) {
    int wrestler = model::FindWrestler(name, searched);
    if (wrestler >= 1 && wrestler <= wrestlers) return wrestler;
  }
  return 0;
}

void Credit(Holding& holding, int wrestler, int team) {
  if (wrestler == 0) return;
  for (HoldingWrestler& known : holding.wrestlers) {
    if (known.wrestler != wrestler) continue;
    if (known.team == 0) known.team = team;
    return;
  }
  holding.wrestlers.push_back({wrestler, team});
}

Holding HoldingOf(int c, int t, const model::TitleRecord& title, const CircuitTeams& teams) {
  Holding holding{c, t, {}, {}};
  std::string_view holder = View(title.holder);
  if (holder == "vacant") return holding;
  for (const std::string& name : matchtext::ParticipantNames(holder, teams.expansion)) {
    Credit(holding, WrestlerNamed(name, c), 0);
  }
  for (const std::string& name : TeamNameCandidates(holder, teams.longest)) {
    auto found = teams.by_name.find(name);
    if (found == teams.by_name.end()) continue;
    const roster::TeamRecord& team = *found->second.record;
    bool known = std::any_of(holding.teams.begin(), holding.teams.end(), [&](const HoldingTeam& h) {
      return View(h.name) == View(team.tname);
    });
    if (known) continue;
    holding.teams.push_back({team.tname, found->second.roster_team});
    int slot = static_cast<int>(holding.teams.size());
    Credit(holding, WrestlerNamed(View(team.wrestler1), c), slot);
    Credit(holding, WrestlerNamed(View(team.wrestler2), c), slot);
  }
  // The holders the import found, should the matching above have missed one.
  for (int h = 1; h <= StoredSlots(title.holder_count, model::kMaxHolderNames); ++h) {
    Credit(holding, WrestlerNamed(View(title.holder_names[static_cast<std::size_t>(h)]), c), 0);
  }
  return holding;
}

}  // namespace

std::vector<Holding> BuildHoldings() {
  std::vector<Holding> holdings;
  const model::CircuitTable& table = model::Circuits();
  for (int c = 1; c <= StoredSlots(table.count, model::kMaxCircuits); ++c) {
    const model::CircuitRecord& circuit = table.records[static_cast<std::size_t>(c)];
    int titles = StoredSlots(circuit.titles, circuit.title_count, model::kMaxTitles);
    if (titles == 0) continue;
    CircuitTeams teams = TeamsOf(circuit);
    for (int t = 1; t <= titles; ++t) holdings.push_back(HoldingOf(c, t, circuit.titles[t], teams));
  }
  return holdings;
}

}  // namespace kzo::exporter

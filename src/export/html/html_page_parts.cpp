// Names, links, member lists, title holders and numbers that several kinds of page show.
#include <algorithm>

#include "export/html/html_pages.h"
#include "export/slots.h"
#include "model/find_wrestler.h"
#include "roster/database.h"

namespace kzo::exporter {
namespace {

// A name that a holder text may hold: a credited wrestler's or team's.
struct CreditedName {
  std::string_view text;
  int wrestler;  // the wrestler's slot in the holding + 1, or 0 for a team
  const HoldingTeam* team;
};

bool IsWordByte(char byte) {
  auto b = static_cast<unsigned char>(byte);
  return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b >= 0x80;
}

// The longest name that stands at the text's position as a whole word, if any.
const CreditedName* NameAt(std::string_view text, std::size_t at,
                           const std::vector<CreditedName>& names) {
  if (at > 0 && IsWordByte(text[at - 1])) return nullptr;
  const CreditedName* found = nullptr;
  for (const CreditedName& name : names) {
    std::size_t end = at + name.text.size();
    if (!text.substr(at).starts_with(name.text) || (end < text.size() && IsWordByte(text[end]))) {
      continue;
    }
    if (found == nullptr || name.text.size() > found->text.size()) found = &name;
  }
  return found;
}

std::vector<CreditedName> CreditedNames(const Holding& holding) {
  std::vector<CreditedName> names;
  for (const HoldingTeam& team : holding.teams) names.push_back({View(team.name), 0, &team});
  const model::CircuitRecord& circuit = CircuitOf(holding.circuit);
  for (std::size_t w = 0; w < holding.wrestlers.size(); ++w) {
    int wrestler = holding.wrestlers[w].wrestler;
    int slot = static_cast<int>(w) + 1;
    names.push_back({View(roster::Database().wrestlers[static_cast<std::size_t>(wrestler)].wname),
                     slot, nullptr});
    if (wrestler <= PerWrestlerSlots(circuit.roster)) {
      names.push_back({View(SlotOf(circuit.roster, wrestler).name), slot, nullptr});
    }
  }
  std::erase_if(names, [](const CreditedName& name) { return name.text.empty(); });
  return names;
}

}  // namespace

const model::CircuitRecord& CircuitOf(int circuit) {
  return model::Circuits().records[static_cast<std::size_t>(circuit)];
}

int CircuitCount() {
  return StoredSlots(model::Circuits().count, model::kMaxCircuits);
}

int ShowSlots(const model::CircuitRecord& circuit) {
  return StoredSlots(circuit.shows, circuit.show_count, model::kMaxShows);
}

void WriteCircuitLink(SiteFile& page, int circuit) {
  Link(page, CircuitPage(circuit), Legacy{CircuitName(circuit)});
}

void WriteWrestlerLink(SiteFile& page, int wrestler) {
  Link(page, WrestlerPage(wrestler), Legacy{WrestlerName(wrestler)});
}

void WriteNamedWrestler(SiteFile& page, Text name, std::int64_t wrestler) {
  if (IsStoredWrestler(wrestler)) {
    Link(page, WrestlerPage(static_cast<int>(wrestler)), Legacy{NameOr(name, kNoName)});
  } else {
    page << Legacy{name};
  }
}

void WriteShowLink(SiteFile& page, int circuit, int show) {
  page << "<a href=\"" << Plain{ShowPage(circuit, show)} << "\">" << show << ". "
       << Legacy{ShowName(*CircuitOf(circuit).shows[show])} << "</a>";
}

void WriteTeamMembers(SiteFile& page, const roster::TeamRecord& team, int circuit) {
  for (Text member : {team.wrestler1, team.wrestler2}) {
    if (member != team.wrestler1) page << " &amp; ";
    int wrestler = View(member).empty() ? 0 : model::FindWrestler(View(member), circuit);
    WriteNamedWrestler(page, member, wrestler);
  }
}

void WriteStableMembers(SiteFile& page, const roster::StableRecord& stable) {
  int members = StoredSlots(stable.wrestlers, stable.wrestlers_count, roster::kMaxStableWrestlers);
  bool first = true;
  for (int m = 1; m <= members; ++m) {
    if (stable.wrestlers[m] == 0) continue;
    if (!first) page << ", ";
    first = false;
    WriteReference(page, roster::kKindWrestlers, offsetof(roster::WrestlerRecord, wname),
                   stable.wrestlers[m]);
  }
}

void WriteHoldingTeam(SiteFile& page, const HoldingTeam& team) {
  if (team.roster_team != 0) {
    Link(page, TeamPage(team.roster_team), Legacy{team.name});
  } else {
    page << Legacy{team.name};
  }
}

void WriteTitleHolders(SiteFile& page, const Holding& holding) {
  std::string_view text = View(CircuitOf(holding.circuit).titles[holding.title].holder);
  std::vector<CreditedName> names = CreditedNames(holding);
  std::vector<bool> named(holding.wrestlers.size());
  std::size_t written = 0;
  for (std::size_t at = 0; at < text.size();) {
    const CreditedName* name = NameAt(text, at, names);
    if (name == nullptr) {
      ++at;
      continue;
    }
    page << Legacy{text.substr(written, at - written)};
    if (name->team != nullptr) {
      WriteHoldingTeam(page, *name->team);
    } else {
      const HoldingWrestler& holder =
          holding.wrestlers[static_cast<std::size_t>(name->wrestler - 1)];
      Link(page, WrestlerPage(holder.wrestler), Legacy{name->text});
      named[static_cast<std::size_t>(name->wrestler - 1)] = true;
    }
    at += name->text.size();
    written = at;
  }
  page << Legacy{text.substr(written)};
  bool first = true;
  for (std::size_t w = 0; w < holding.wrestlers.size(); ++w) {
    if (named[w]) continue;
    if (first) {
      page << " (";
    } else {
      page << " &amp; ";
    }
    first = false;
    WriteWrestlerLink(page, holding.wrestlers[w].wrestler);
  }
  if (!first) page << ")";
}

const Holding* HoldingOf(const Site& site, int circuit, int title) {
  const std::vector<Holding>& holdings = site.index.holdings;
  auto found = std::lower_bound(holdings.begin(), holdings.end(), std::pair(circuit, title),
                                [](const Holding& holding, std::pair<int, int> key) {
                                  return std::pair(holding.circuit, holding.title) < key;
                                });
  bool exists = found != holdings.end() && found->circuit == circuit && found->title == title;
  return exists ? &*found : nullptr;
}

void WriteTenths(SiteFile& page, std::optional<std::int64_t> tenths) {
  if (!tenths) {
    page << "&ndash;";
    return;
  }
  page << *tenths / 10 << "." << *tenths % 10;
}

void WriteRecordCells(SiteFile& page, const Record& record) {
  page << "<td>" << record.matches << "</td><td>" << record.wins << "</td><td>" << record.losses
       << "</td><td>" << record.draws << "</td><td>";
  int per_mille = record.WinPerMille();
  WriteTenths(page, per_mille < 0 ? std::nullopt : std::optional<std::int64_t>(per_mille));
  page << "</td>";
}

void WriteRun(SiteFile& page, Result result, int length) {
  if (result == Result::kNone || length == 0) {
    page << "&ndash;";
    return;
  }
  page << length << " ";
  bool one = length == 1;
  if (result == Result::kWin) {
    page << (one ? Markup("win") : Markup("wins"));
  } else if (result == Result::kLoss) {
    page << (one ? Markup("loss") : Markup("losses"));
  } else {
    page << (one ? Markup("draw") : Markup("draws"));
  }
}

Text NameOr(Text name, Text fallback) {
  return name == nullptr || *name == '\0' ? fallback : name;
}

Text CircuitName(int circuit) {
  return NameOr(CircuitOf(circuit).lgs_line1, kNoName);
}

Text ShowName(const model::ShowRecord& show) {
  return NameOr(show.overview, kNoName);
}

Text WrestlerName(int wrestler) {
  return NameOr(roster::Database().wrestlers[static_cast<std::size_t>(wrestler)].wname, kNoName);
}

}  // namespace kzo::exporter

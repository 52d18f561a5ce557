#include "export/career_tables.h"

#include <string>

#include "export/careers.h"
#include "export/roster_tables.h"
#include "export/title_credits.h"
#include "roster/field_dictionary.h"

namespace kzo::exporter {
namespace {

// A column naming a record of a roster kind.
Column RosterColumn(std::string name, std::int32_t kind, bool not_null) {
  RosterTable target = TableOfKind(kind);
  return {.name = std::move(name),
          .not_null = not_null,
          .references_table = target.table,
          .references_column = target.key};
}

Column CircuitColumn() {
  return {.name = "circuit",
          .not_null = true,
          .references_table = "circuits",
          .references_column = "circuit"};
}

Column Number(std::string name) {
  return {.name = std::move(name), .not_null = true};
}

Table HeadToHead() {
  return {.name = "head_to_head",
          .columns = {CircuitColumn(), RosterColumn("wnr", roster::kKindWrestlers, true),
                      RosterColumn("opponent", roster::kKindWrestlers, true), Number("matches"),
                      Number("wins"), Number("losses"), Number("draws")},
          .primary_key = {"circuit", "wnr", "opponent"}};
}

Table Streaks() {
  return {.name = "streaks",
          .columns = {CircuitColumn(), RosterColumn("wnr", roster::kKindWrestlers, true),
                      Number("longest_winning_streak"), Column{.name = "longest_first_show"},
                      Column{.name = "longest_last_show"}, Column{.name = "current", .text = true},
                      Number("current_length")},
          .primary_key = {"circuit", "wnr"},
          .foreign_keys = {{{"circuit", "longest_first_show"}, "shows", {"circuit", "show"}},
                           {{"circuit", "longest_last_show"}, "shows", {"circuit", "show"}}}};
}

Table TitleCredits() {
  return {.name = "title_credits",
          .columns = {CircuitColumn(), Number("title"), Number("slot"),
                      RosterColumn("wnr", roster::kKindWrestlers, false),
                      Column{.name = "team_name", .text = true},
                      RosterColumn("team", roster::kKindTeams, false)},
          .primary_key = {"circuit", "title", "slot"},
          .foreign_keys = {{{"circuit", "title"}, "titles", {"circuit", "title"}}}};
}

// A show number, none for 0 (no streak).
Value ShowOrNone(int show) {
  return show == 0 ? Null() : Int(show);
}

void WriteCareers(RowSink& sink, const std::vector<Career>& careers, const Table& head_to_head,
                  const Table& streaks) {
  // Rows in key order: circuit first.
  std::vector<std::vector<std::pair<int, const CircuitCareer*>>> by_circuit;
  for (std::size_t w = 1; w < careers.size(); ++w) {
    for (const CircuitCareer& circuit : careers[w].circuits) {
      if (by_circuit.size() <= static_cast<std::size_t>(circuit.circuit)) {
        by_circuit.resize(static_cast<std::size_t>(circuit.circuit) + 1);
      }
      by_circuit[static_cast<std::size_t>(circuit.circuit)].emplace_back(static_cast<int>(w),
                                                                         &circuit);
    }
  }
  for (const auto& wrestlers : by_circuit) {
    for (const auto& [w, circuit] : wrestlers) {
      const Streak& streak = circuit->streak;
      const Value streak_row[] = {Int(circuit->circuit),
                                  Int(w),
                                  Int(streak.longest),
                                  ShowOrNone(streak.longest_first_show),
                                  ShowOrNone(streak.longest_last_show),
                                  Str(ResultWord(streak.current)),
                                  Int(streak.current_length)};
      sink.Row(streaks, streak_row);
    }
  }
  for (const auto& wrestlers : by_circuit) {
    for (const auto& [w, circuit] : wrestlers) {
      for (const Opponent& opponent : circuit->opponents) {
        const Record& record = opponent.record;
        const Value row[] = {Int(circuit->circuit), Int(w),           Int(opponent.wrestler),
                             Int(record.matches),   Int(record.wins), Int(record.losses),
                             Int(record.draws)};
        sink.Row(head_to_head, row);
      }
    }
  }
}

void WriteTitleCredits(RowSink& sink, const Table& table) {
  for (const Holding& holding : BuildHoldings()) {
    int slot = 0;
    for (const HoldingTeam& team : holding.teams) {
      const Value row[] = {Int(holding.circuit), Int(holding.title),
                           Int(++slot),          Null(),
                           Str(team.name),       team.roster_team ? Int(team.roster_team) : Null()};
      sink.Row(table, row);
    }
    for (const HoldingWrestler& wrestler : holding.wrestlers) {
      const HoldingTeam* team =
          wrestler.team ? &holding.teams[static_cast<std::size_t>(wrestler.team - 1)] : nullptr;
      const Value row[] = {Int(holding.circuit),
                           Int(holding.title),
                           Int(++slot),
                           Int(wrestler.wrestler),
                           team ? Str(team->name) : Null(),
                           team && team->roster_team ? Int(team->roster_team) : Null()};
      sink.Row(table, row);
    }
  }
}

}  // namespace

void AddCareerTables(std::vector<Table>& tables) {
  tables.push_back(HeadToHead());
  tables.push_back(Streaks());
  tables.push_back(TitleCredits());
}

void WriteCareerRows(RowSink& sink, const std::vector<Career>& careers) {
  WriteCareers(sink, careers, HeadToHead(), Streaks());
  WriteTitleCredits(sink, TitleCredits());
}

}  // namespace kzo::exporter

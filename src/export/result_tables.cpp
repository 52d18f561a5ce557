#include "export/result_tables.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "export/careers.h"
#include "export/model_fields.h"
#include "export/roster_tables.h"
#include "model/circuit.h"
#include "model/show.h"
#include "roster/database.h"
#include "roster/field_dictionary.h"

namespace kzo::exporter {
namespace {

// Calls visit(slot, record) for every slot of the list field of that name of a record of
// the type that holds a record: the slots that the list's table has rows for.
template <class Record, class Visit>
void EachRecord(const RecordType& type, const void* record, std::string_view list, Visit visit) {
  const Field& field = FieldNamed(type, list);
  for (int slot = field.first; slot <= field.LastSlot(record); ++slot) {
    Value item = field.Read(record, slot);
    if (item.kind == Value::Kind::kRecord) visit(slot, *static_cast<const Record*>(item.record));
  }
}

// A wrestler's part in a match, as its breakdown gives it.
struct Part {
  int circuit;
  int show;
  int match;
  std::int64_t wrestler;
  std::int64_t value;
  const model::CircuitRecord* circuit_record;
  const model::ShowRecord* show_record;
  const model::MatchRecord* segment;

  auto Key() const { return std::tie(circuit, show, match, wrestler, value); }
};

// Appends the parts in a match, once per wrestler and value, in that order; where tells
// where the match stands.
void AddParts(std::vector<Part>& parts, const Part& where) {
  std::size_t first = parts.size();
  auto add = [&](int, const model::BreakdownItem& item) {
    Value wrestler = Reference(roster::kKindWrestlers, item.wrestler);
    if (wrestler.kind != Value::Kind::kInt) return;
    parts.push_back(where);
    parts.back().wrestler = wrestler.number;
    parts.back().value = item.value;
  };
  EachRecord<model::BreakdownItem>(kMatchType, where.segment, "breakdown", add);
  auto begin = parts.begin() + static_cast<std::ptrdiff_t>(first);
  auto before = [](const Part& a, const Part& b) { return a.Key() < b.Key(); };
  auto same = [](const Part& a, const Part& b) { return a.Key() == b.Key(); };
  std::sort(begin, parts.end(), before);
  parts.erase(std::unique(begin, parts.end(), same), parts.end());
}

// Every wrestler's part in every match, in the order of circuits, shows, matches,
// wrestlers and values.
std::vector<Part> Parts() {
  std::vector<Part> parts;
  auto circuit = [&](int c, const model::CircuitRecord& record) {
    auto show = [&](int s, const model::ShowRecord& show_record) {
      auto match = [&](int m, const model::MatchRecord& segment) {
        if (IsMatch(segment)) AddParts(parts, {c, s, m, 0, 0, &record, &show_record, &segment});
      };
      EachRecord<model::MatchRecord>(kShowType, &show_record, "matches", match);
    };
    EachRecord<model::ShowRecord>(kCircuitType, &record, "shows", show);
  };
  EachRecord<model::CircuitRecord>(kModelType, TheModel(), "circuits", circuit);
  return parts;
}

Text WrestlerName(std::int64_t wrestler) {
  return roster::Database().wrestlers[static_cast<std::size_t>(wrestler)].wname;
}

Value Side(std::int64_t value) {
  return value > 0 ? Int(1) : value < 0 ? Int(2) : Null();
}

// The outcome of a value for the wrestler it names: a win, a loss, a draw, or none.
Value Outcome(std::int64_t value) {
  return Str(ResultWord(ResultOf(OutcomeOf(value))));
}

// A column of numbers, not null in a key; a column of texts.
Column IntColumn(std::string name, bool key = false) {
  return {.name = std::move(name), .not_null = key};
}
Column TextColumn(std::string name) {
  return {.name = std::move(name), .text = true};
}

const Table& TableNamed(const std::vector<Table>& tables, std::string_view name) {
  return *std::find_if(tables.begin(), tables.end(),
                       [&](const Table& table) { return table.name == name; });
}

void WriteMatchRows(const Table& table, const std::vector<Part>& parts, RowSink& sink) {
  for (const Part& part : parts) {
    const Value row[] = {Int(part.wrestler),
                         Str(WrestlerName(part.wrestler)),
                         Int(part.circuit),
                         Str(part.circuit_record->lgs_line1),
                         Int(part.show),
                         Str(part.show_record->overview),
                         Int(part.match),
                         Str(part.segment->match_type),
                         Str(model::ResultText(*part.segment)),
                         Int(part.value),
                         Side(part.value),
                         Outcome(part.value)};
    sink.Row(table, row);
  }
}

// The records of the careers, by circuit and wrestler.
void WriteRecordRows(const Table& table, const std::vector<Career>& careers, RowSink& sink) {
  std::vector<std::tuple<int, int, const Record*>> records;
  for (std::size_t w = 1; w < careers.size(); ++w) {
    for (const CircuitCareer& circuit : careers[w].circuits) {
      records.emplace_back(circuit.circuit, static_cast<int>(w), &circuit.record);
    }
  }
  std::sort(records.begin(), records.end());
  const model::CircuitTable& circuits = model::Circuits();
  for (const auto& [circuit, wrestler, record] : records) {
    const Value row[] = {
        Int(circuit),         Str(circuits.records[static_cast<std::size_t>(circuit)].lgs_line1),
        Int(wrestler),        Str(WrestlerName(wrestler)),
        Int(record->matches), Int(record->wins),
        Int(record->losses),  Int(record->draws)};
    sink.Row(table, row);
  }
}

// The rows of a circuit's titles.
void WriteTitleRows(const Table& table, int c, const model::CircuitRecord& circuit, RowSink& sink) {
  // The first roster entry of each name.
  std::unordered_map<std::string_view, int> entries;
  auto note = [&](int w, const model::RosterEntry& entry) {
    if (entry.name != nullptr) entries.emplace(entry.name, w);
  };
  EachRecord<model::RosterEntry>(kCircuitType, &circuit, "roster", note);
  const Field& holders = FieldNamed(kTitleType, "holder_names");
  auto write = [&](int t, const model::TitleRecord& title) {
    auto row = [&](Value slot, Value name, Value wrestler) {
      const Value values[] = {Int(c),
                              Str(circuit.lgs_line1),
                              Int(t),
                              Str(title.title_name),
                              Str(title.holder),
                              slot,
                              name,
                              wrestler};
      sink.Row(table, values);
    };
    int last = holders.LastSlot(&title);
    if (last < holders.first) row(Null(), Null(), Null());
    for (int h = holders.first; h <= last; ++h) {
      Value name = holders.Read(&title, h);
      auto entry = name.kind == Value::Kind::kText ? entries.find(name.text) : entries.end();
      row(Int(h), name, entry == entries.end() ? Null() : Int(entry->second));
    }
  };
  EachRecord<model::TitleRecord>(kCircuitType, &circuit, "titles", write);
}

}  // namespace

void AddResultTables(std::vector<Table>& tables) {
  tables.push_back(
      {.name = "wrestler_matches",
       .columns = {IntColumn("wnr", true), TextColumn("wname"), IntColumn("circuit", true),
                   TextColumn("circuit_name"), IntColumn("show", true), TextColumn("show_overview"),
                   IntColumn("match", true), TextColumn("match_type"), TextColumn("result"),
                   IntColumn("value", true), IntColumn("side"), TextColumn("outcome")},
       .primary_key = {"circuit", "show", "match", "wnr", "value"}});
  tables.push_back({.name = "wrestler_records",
                    .columns = {IntColumn("circuit", true), TextColumn("circuit_name"),
                                IntColumn("wnr", true), TextColumn("wname"), IntColumn("matches"),
                                IntColumn("wins"), IntColumn("losses"), IntColumn("draws")},
                    .primary_key = {"circuit", "wnr"}});
  // A vacant title's one row has no holder slot.
  tables.push_back(
      {.name = "title_holders_view",
       .columns = {IntColumn("circuit", true), TextColumn("circuit_name"), IntColumn("title", true),
                   TextColumn("title_name"), TextColumn("holder"), IntColumn("holder_slot"),
                   TextColumn("holder_name"), IntColumn("wrestler")},
       .primary_key = {"circuit", "title", "holder_slot"}});
}

void WriteResultRows(RowSink& sink, const std::vector<Career>& careers) {
  std::vector<Table> tables;
  AddResultTables(tables);
  std::vector<Part> parts = Parts();
  WriteMatchRows(TableNamed(tables, "wrestler_matches"), parts, sink);
  WriteRecordRows(TableNamed(tables, "wrestler_records"), careers, sink);
  auto titles = [&](int c, const model::CircuitRecord& circuit) {
    WriteTitleRows(TableNamed(tables, "title_holders_view"), c, circuit, sink);
  };
  EachRecord<model::CircuitRecord>(kModelType, TheModel(), "circuits", titles);
}

}  // namespace kzo::exporter

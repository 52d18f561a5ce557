// Builders of legacy file contents for end-to-end tests: roster records in their item
// order, with CR LF line ends.
#pragma once

#include <string>
#include <vector>

#include "platform/testing/test_env.h"

namespace kzo::testing {

// Lines joined, each followed by CR LF.
inline std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

inline std::string Repeat(const std::string& line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += line + "\r\n";
  return text;
}

// A roster file: the record count, then the records.
inline std::string RosterFile(const std::vector<std::string>& records) {
  std::string text = std::to_string(records.size()) + "\r\n";
  for (const std::string& record : records) text += record;
  return text;
}

// The 120 items of a wrestler record with the given name, push and gender.
inline std::string WrestlerRecord(const std::string& name, int push, int female = 0) {
  std::string text = Lines({name, name.substr(0, 4)});
  text += "3, 0, 5, 0, 0, 0, 0, 0, 0, 0\r\n" + Repeat("0, 0, 0, 0, 0, 0, 0, 0, 0, 0", 4);
  text += Lines({"Big Drop",
                 "65538",
                 "0",
                 "0",
                 "70",
                 std::to_string(push),
                 "60",
                 "Chair",
                 "0",
                 "2",
                 "0",
                 "0",
                 "80",
                 "0",
                 "250",
                 "33",
                 "0",
                 "1",
                 "0",
                 "0",
                 "Crowd chant",
                 "Spin Kick",
                 "0",
                 "0",
                 "0",
                 "The " + name,
                 std::to_string(female),
                 "Hometown",
                 "6'1\"",
                 "Lean",
                 "c:\\kzo7se\\music\\theme.mid",
                 "0",
                 "0",
                 "0",
                 "0",
                 "0",
                 "unused",
                 "2"});
  text += Repeat("", 30);
  return text;
}

// The ten lines of a tag-team record.
inline std::string TeamRecord(const std::string& first, const std::string& second,
                              const std::string& name, const std::string& finisher) {
  return Lines({first, second, name, finisher, "theme.mid"}) + Repeat("", 5);
}

// Two wrestlers and one circuit whose one show holds a singles match.
inline void WriteSmallInstallation(const platform::TempFolder& folder) {
  folder.Write("data/wrestlrs.dat",
               testing::RosterFile({testing::WrestlerRecord("Orrin Vale", 80),
                                    testing::WrestlerRecord("Tuck Masden", 70)}));
  for (const char* empty : {"managers.dat", "moves.dat", "dives.dat", "fobjects.dat",
                            "gimmicks.dat", "stables.dat", "teams.dat"}) {
    folder.Write(std::string("data/") + empty, "0\r\n");
  }
  folder.Write("card.lgs", Lines({"Northern Circuit", "north", "x"}));
  folder.Write("north/card.inf", "1\r\n");
  folder.Write("north/card.ovv", Lines({"Opening Night"}));
  folder.Write("north/cardra.001",
               "3\r\n" + Lines({"1", "Singles", "Tuck Masden pinned Orrin Vale in 9:59."}));
}

}  // namespace kzo::testing

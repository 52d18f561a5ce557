// The legacy installation that the tests of the export formats load.
#pragma once

#include <string>

#include "../../tests/support/legacy_files.h"
#include "platform/testing/test_env.h"

namespace kzo::exporter {

using testing::Lines;
using testing::Repeat;

// A move record: its name, damage and first counter, then zero items and 12 empty lines.
inline std::string Move(const std::string& name, int counter) {
  return Lines({name, "5", std::to_string(counter)}) + Repeat("0", 12) + Repeat("", 12);
}

// An installation of five moves, one manager, four wrestlers, a stable whose members
// include a number that names no wrestler, and one circuit with three shows.
inline void WriteInstallation(const platform::TempFolder& folder) {
  folder.Write("data/moves.dat", testing::RosterFile({Move("a Headlock", 0), Move("a Suplex", 9),
                                                      Move("a Dropkick", 1), Move("a Slam", 0),
                                                      Move("the Piledriver", 0)}));
  folder.Write("data/managers.dat",
               testing::RosterFile({Lines({"Mr. Mane", "Cane", "3"}) + Repeat("", 7)}));
  folder.Write("data/wrestlrs.dat",
               testing::RosterFile({testing::WrestlerRecord("Orrin Vale", 80),
                                    testing::WrestlerRecord("Tuck Masden", 70),
                                    testing::WrestlerRecord("Quill Danby", 60, 1),
                                    testing::WrestlerRecord("Pim Lorca", 50)}));
  std::string stable = Lines({"The Family", "3", "1", "0", "7", "1", "0", "0", "0"});
  folder.Write("data/stables.dat", testing::RosterFile({stable + Repeat("", 17)}));
  folder.Write("data/teams.dat",
               testing::RosterFile({testing::TeamRecord("Tuck Masden", "Quill Danby",
                                                        "The Drifters", "Wipeout/Tuen")}));
  for (const char* empty : {"dives.dat", "fobjects.dat", "gimmicks.dat"}) {
    folder.Write(std::string("data/") + empty, "0\r\n");
  }
  folder.Write("card.lgs", Lines({"Northern Circuit", "north", "x"}));
  folder.Write("north/card.inf", "3\r\n");
  folder.Write("north/card.ovv", Lines({"Caf\x82 Night", "Second Show", "Third Show"}));
  folder.Write("north/cardra.001",
               "7\r\n" +
                   Lines({"5", "Singles\\", "Orrin Vale pinned Tuck Mas", "den after a sup",
                          "lex in 12:34.", "Rating: 85", "(Orrin Vale retains)"}) +
                   "6\r\n" +
                   Lines({"1", "Comments", "Orrin Vale pinned Nobody.", "2", "Tag Team",
                          "Orrin Vale and Pim Lorca defeated The Drifters (Tuck Masden and "
                          "Quill Danby) when Orrin Vale pinned Quill Danby."}) +
                   "6\r\n" +
                   Lines({"1", "Interview", "Talk.", "2", "Singles",
                          "Orrin Vale and Tuck Masden battled to a double count-out."}));
  folder.Write("north/cardfa.001", "3\r\n" + Lines({"2", "Lock up.", "Suplex!"}) + "0\r\n0\r\n");
  folder.Write("north/cardca.001", "1\r\n" + Lines({"Great night."}) + "0\r\n0\r\n");
  folder.Write("north/card.ttl", "2\r\n" + Lines({"Orrin Vale", "North Heavyweight Title", "1",
                                                  "vacant", "North Tag Title", "2"}));
  folder.Write("north/card.pts", Lines({"Orrin Vale", "1, 0, 3, 500, 1, 1",
                                        "Pim Lorca and Nobody Here", "2, 0, 0, 0, 0, 0"}));
  folder.Write("north/stables.dat",
               Lines({"1", "North Family", "2", "4", "9", "0", "1", "0", "0"}) + Repeat("", 17));
}

}  // namespace kzo::exporter

// The card files of a circuit folder: the configuration number, injuries, titles and their
// holders, the numbered card line files from which the show cards are assembled, weights,
// and the circuit's own tag teams and stables. Each step fills fields of the circuit.
#pragma once

#include <string>

namespace kzo::circuits {

// folder is the circuit's folder path (legacy folder + "\" + folder), without a trailing
// backslash; each step reads its file there.
void ReadCardConfiguration(const std::string& folder, int circuit);
void ReadInjuries(const std::string& folder, int circuit);
void ReadTitles(const std::string& folder, int circuit);
void ReadShowCards(const std::string& folder, int circuit);
void ReadWeights(const std::string& folder, int circuit);
void ReadCircuitTeams(const std::string& folder, int circuit);
void ReadCircuitStables(const std::string& folder, int circuit);

}  // namespace kzo::circuits

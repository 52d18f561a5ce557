// The circuit wrestler database "circdb.dat": one record of 18 lines per wrestler number,
// brought in step with the wrestler roster on disk and read into the circuit's roster.
#pragma once

#include <string>

namespace kzo::circuits {

// Brings the database at path (a circuit's "circdb.dat") in step with the wrestler roster:
// creates it when missing; when its record count K differs from the roster's N, writes
// "circdb.dat.new" with header N, every line after the old header and records K+1..N,
// deletes "circdb.idx", turns the old file into backup 1 and gives the new one its name.
// The old database is replaced only by a new one that was written whole, and a partial
// file is removed; a replacement stopped before its last rename is finished by the next
// run, so the old database's hires are never lost.
void UpdateCircuitDatabase(const std::string& path);

// Reads the database at path into the roster of circuit, deciding who is hired.
void ReadCircuitRoster(const std::string& path, int circuit);

// A number line of the database: a blank in place of the sign of a value of 0 or more,
// the digits, and one trailing blank.
std::string NumberLine(std::int32_t value);

}  // namespace kzo::circuits

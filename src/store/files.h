// Legacy files by file number, and the rules by which legacy text files are read: the
// numeric item, the line item and the end-of-file test. A line ends with CR, and an LF
// right after the CR belongs to the same line end; the byte 0x1A ends the file. Lines
// are written with CR LF. Failures are raised by the error convention and the failing
// statement yields 0 or an empty text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/text.h"

namespace kzo::store {

enum class FileMode { kInput, kOutput, kAppend };

constexpr int kMaxFileNumber = 255;

// The lowest file number not in use (67 is raised when none is free).
int FreeFile();
// Opens path under the file number; a failed open is raised and leaves it not open.
void OpenFile(std::string_view path, FileMode mode, int file);
// Closes the file number, writing out what is buffered; a number not open is ignored.
// Returns true when the file was open and every write to it, and its close, succeeded.
bool CloseFile(int file);
// Closes every open file. (A new run forgets the files of the last one without closing
// them.)
void CloseAllFiles();
bool IsFileOpen(int file);

// True when no byte remains or the next byte is 0x1A; a file not open is at its end.
bool AtEndOfFile(int file);
// Bytes left before the file's end (0x1A or the last byte); 0 for a file not open.
std::size_t BytesLeft(int file);

// Reads the next numeric item, rounded to a 32-bit int. Reading past the end raises 62.
std::int32_t ReadNumber(int file);
// Reads the next line item into a new record string (null when the heap is full). A read
// past the end raises 62 and yields an empty text. When same, a record string read the
// same way, holds exactly the line, the result is same itself: two fields that hold the
// same text share it.
Text ReadRecordString(int file, Text same = nullptr);
// Reads the next line item as ReadRecordString does, without making a record string: the
// bytes stay valid until the file is closed. cut_at_zero cuts the line at its first zero
// byte as a record string would be.
std::string_view ReadLine(int file, bool cut_at_zero = true);
// Reads count lines as ReadLine does, appending the first ones to lines until it holds
// kept lines (when lines is not null).
void ReadLines(int file, int count, std::vector<std::string_view>* lines, std::size_t kept);
// Reads count line items that a record holds but the import does not keep.
void SkipLines(int file, int count);

// Writes text followed by CR LF.
void PrintLine(int file, std::string_view text);

// A count read from a file drives a loop of reads, each taking at least one byte when it
// succeeds: a count whose entries of items_per_entry items outnumber the bytes left is cut
// to (bytes left) / items_per_entry + 1 entries, the entry in which the end can first be
// met. Counts that fit are returned unchanged.
std::int32_t CutCount(int file, std::int32_t count, int items_per_entry);

}  // namespace kzo::store

#include "store/files.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "store/heap.h"
#include "store/numbers.h"
#include "store/runtime.h"

namespace kzo::store {
namespace {

constexpr char kEndOfFile = 0x1A;
constexpr std::size_t kFlushSize = 1 << 16;
constexpr std::size_t kReadChunk = 1 << 16;
constexpr std::size_t kMaxItemBytes = 255;

struct OpenedFile {
  FileMode mode = FileMode::kInput;
  int number = 0;  // the file number
  int handle = 0;
  std::string data;     // input: the whole file; output: bytes not yet written
  std::size_t pos = 0;  // input: the reading position
  std::size_t end = 0;  // input: the logical end (first 0x1A, or the size)
  // input: some byte before the end is zero, so lines must be looked at for one
  bool has_zero = false;
  bool write_failed = false;
  // input: the line ends counted in data[0, counted_to), for the line of an error
  std::size_t counted_to = 0;
  std::size_t line_ends = 0;
};

// The buffers of closed input files, kept so that the next file read reuses their memory
// instead of having fresh pages mapped for every file.
constexpr std::size_t kSpareBuffers = 4;

// The files of a run by file number. A new run forgets the files of the last one without
// closing them; the memory kept for reading stays for the files of the next.
struct FileTable {
  std::array<std::unique_ptr<OpenedFile>, kMaxFileNumber + 1> files;
  // The path last opened (or tried) under each file number, for the place of its errors.
  std::array<std::string, kMaxFileNumber + 1> paths;

  // The place of the last error that named a file and a line, for the next: every read past
  // a file's end names the same line.
  int place_file = 0;
  std::size_t place_line = 0;
  std::string place;

  std::vector<std::string> spare_buffers;
  // The piece of a file read last. Bytes are read here and appended to the file's buffer,
  // so that no byte of the buffer is filled twice (once with zeros, once with the file).
  std::unique_ptr<char[]> read_piece;
};

void KeepBuffer(FileTable& table, std::string&& buffer) {
  if (table.spare_buffers.size() < kSpareBuffers) table.spare_buffers.push_back(std::move(buffer));
}

void ForgetFiles(FileTable& table) {
  for (std::unique_ptr<OpenedFile>& slot : table.files) {
    if (slot && slot->mode == FileMode::kInput) KeepBuffer(table, std::move(slot->data));
    slot.reset();
  }
  for (std::string& path : table.paths) path.clear();
  table.place_file = 0;
}

RunLocal<FileTable> file_table(ForgetFiles);

OpenedFile* Find(int file) {
  if (file < 1 || file > kMaxFileNumber) return nullptr;
  return file_table->files[static_cast<std::size_t>(file)].get();
}

// The path last opened under a file number in the range.
std::string& PathOf(int file) {
  return file_table->paths[static_cast<std::size_t>(file)];
}

// The line (from 1) of the reading position of an input file.
std::size_t LineOfPosition(OpenedFile& f) {
  if (f.counted_to > f.pos) f.counted_to = f.line_ends = 0;
  for (; f.counted_to < f.pos; ++f.counted_to) f.line_ends += f.data[f.counted_to] == '\r';
  return f.line_ends + 1;
}

// Raises a numbered error that concerns the file with the number; a read names its line.
void RaiseFileError(int number, int file, bool at_line = false) {
  OpenedFile* opened = Find(file);
  bool known = file >= 1 && file <= kMaxFileNumber && !PathOf(file).empty();
  if (!known) return RaiseError(number);
  std::size_t line = at_line && opened != nullptr ? LineOfPosition(*opened) : 0;
  FileTable& table = *file_table;
  if (table.place_file != file || table.place_line != line) {
    table.place = FilePlace(PathOf(file), line);
    table.place_file = file;
    table.place_line = line;
  }
  RaiseErrorAt(number, table.place);
}

// The open input file, or null after raising 52 (not open) or 54 (open for output).
OpenedFile* InputFile(int file) {
  OpenedFile* opened = Find(file);
  if (opened == nullptr) {
    RaiseFileError(52, file);
  } else if (opened->mode != FileMode::kInput) {
    RaiseFileError(54, file);
    return nullptr;
  }
  return opened;
}

// A text (the bytes before the first 0x1A) that holds no CR but some LF went through a
// system that converted its line ends: it is read as if every LF were CR LF. A text with
// any CR is read as it stands.
void ConvertBareLineEnds(OpenedFile& opened) {
  std::string_view text(opened.data.data(), opened.end);
  if (text.find('\r') != std::string_view::npos || text.find('\n') == std::string_view::npos) {
    return;
  }
  std::string converted;
  converted.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') converted += '\r';
    converted += c;
  }
  opened.end = converted.size();
  opened.data = std::move(converted);
}

std::string TakeBuffer() {
  std::vector<std::string>& spare = file_table->spare_buffers;
  if (spare.empty()) return {};
  std::string buffer = std::move(spare.back());
  spare.pop_back();
  buffer.clear();
  return buffer;
}

void ReadWhole(OpenedFile& opened) {
  std::string& data = opened.data;
  data = TakeBuffer();
  std::unique_ptr<char[]>& read_piece = file_table->read_piece;
  if (!read_piece) read_piece = std::make_unique_for_overwrite<char[]>(kReadChunk);
  while (true) {
    long n = Platform().Read(opened.handle, read_piece.get(), kReadChunk);
    if (n == 0) break;
    if (n < 0) {
      RaiseFileError(static_cast<int>(-n), opened.number);
      break;
    }
    data.append(read_piece.get(), static_cast<std::size_t>(n));
  }
  opened.end = data.find(kEndOfFile);
  if (opened.end == std::string::npos) opened.end = data.size();
  ConvertBareLineEnds(opened);
  opened.has_zero =
      std::string_view(opened.data.data(), opened.end).find('\0') != std::string::npos;
}

void Flush(OpenedFile& opened) {
  if (opened.data.empty()) return;
  int error = Platform().Write(opened.handle, opened.data.data(), opened.data.size());
  opened.data.clear();
  if (error != 0) {
    opened.write_failed = true;
    RaiseFileError(error, opened.number);
  }
}

bool IsSeparatorRunByte(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '"';
}

// Passes over the separator run after an item: blanks, tabs, LFs and quotes; then a comma,
// or a CR with one LF after it, is consumed and ends the run.
[[gnu::always_inline]] inline void SkipSeparatorRun(OpenedFile& f) {
  while (f.pos < f.end && IsSeparatorRunByte(f.data[f.pos])) ++f.pos;
  if (f.pos >= f.end) return;
  if (f.data[f.pos] == ',') {
    ++f.pos;
  } else if (f.data[f.pos] == '\r') {
    ++f.pos;
    if (f.pos < f.end && f.data[f.pos] == '\n') ++f.pos;
  }
}

// Reads the most common item, a plain integer of up to nine digits after an optional sign
// and ending the item, exactly as the general conversion would read it.
[[gnu::always_inline]] inline bool ReadPlainInteger(OpenedFile& f, std::int32_t& value) {
  std::size_t at = f.pos;
  bool negative = at < f.end && f.data[at] == '-';
  if (at < f.end && (f.data[at] == '-' || f.data[at] == '+')) ++at;
  std::size_t first = at;
  std::int32_t number = 0;
  while (at < f.end && at - first < 9 && f.data[at] >= '0' && f.data[at] <= '9') {
    number = number * 10 + (f.data[at++] - '0');
  }
  if (at == first) return false;
  if (at < f.end && f.data[at] != ',' && f.data[at] != ' ' && f.data[at] != '\r') return false;
  f.pos = at;
  value = negative ? -number : number;
  return true;
}

}  // namespace

int FreeFile() {
  for (int file = 1; file <= kMaxFileNumber; ++file) {
    if (!Find(file)) return file;
  }
  RaiseError(67);
  return 0;
}

void OpenFile(std::string_view path, FileMode mode, int file) {
  if (file < 1 || file > kMaxFileNumber) {
    RaiseErrorAt(52, FilePlace(path));
    return;
  }
  if (Find(file)) {
    RaiseErrorAt(55, FilePlace(path));
    return;
  }
  PathOf(file) = path;
  if (file_table->place_file == file) file_table->place_file = 0;
  std::unique_ptr<OpenedFile>& slot = file_table->files[static_cast<std::size_t>(file)];
  platform::OpenMode platform_mode = mode == FileMode::kInput    ? platform::OpenMode::kInput
                                     : mode == FileMode::kOutput ? platform::OpenMode::kOutput
                                                                 : platform::OpenMode::kAppend;
  platform::OpenResult result = Platform().Open(path, platform_mode);
  if (result.error != 0) {
    RaiseFileError(result.error, file);
    return;
  }
  slot = std::make_unique<OpenedFile>();
  slot->mode = mode;
  slot->number = file;
  slot->handle = result.handle;
  if (mode == FileMode::kInput) ReadWhole(*slot);
}

bool CloseFile(int file) {
  OpenedFile* opened = Find(file);
  if (opened == nullptr) return false;
  std::unique_ptr<OpenedFile> closing =
      std::move(file_table->files[static_cast<std::size_t>(file)]);
  if (closing->mode != FileMode::kInput) Flush(*closing);
  int error = Platform().Close(closing->handle);
  if (error != 0) RaiseFileError(error, file);
  if (closing->mode == FileMode::kInput) KeepBuffer(*file_table, std::move(closing->data));
  return error == 0 && !closing->write_failed;
}

void CloseAllFiles() {
  for (int file = 1; file <= kMaxFileNumber; ++file) CloseFile(file);
}

bool IsFileOpen(int file) {
  return Find(file) != nullptr;
}

bool AtEndOfFile(int file) {
  OpenedFile* opened = Find(file);
  return opened == nullptr || opened->mode != FileMode::kInput || opened->pos >= opened->end;
}

std::size_t BytesLeft(int file) {
  OpenedFile* opened = Find(file);
  if (opened == nullptr || opened->mode != FileMode::kInput) return 0;
  return opened->end - opened->pos;
}

std::int32_t ReadNumber(int file) {
  OpenedFile* f = InputFile(file);
  if (f == nullptr) return 0;
  while (f->pos < f->end && f->data[f->pos] == ' ') ++f->pos;
  if (f->pos >= f->end) {
    RaiseFileError(62, file, true);
    return 0;
  }
  std::int32_t plain = 0;
  if (ReadPlainInteger(*f, plain)) {
    if (f->pos < f->end) SkipSeparatorRun(*f);
    return plain;
  }
  char item[kMaxItemBytes];
  std::size_t length = 0;
  while (f->pos < f->end && length < kMaxItemBytes) {
    char c = f->data[f->pos];
    if (c == ',' || c == ' ' || c == '\r') break;
    ++f->pos;
    if (c != '\t' && c != '\n') item[length++] = c;
  }
  if (f->pos < f->end) SkipSeparatorRun(*f);
  return RoundToInt32(ConvertNumber(std::string_view(item, length)));
}

namespace {

// The line at the reading position of an open input file, before its end; the position
// passes the line and its CR (LF). Inlined: it runs for every line of every file.
[[gnu::always_inline]] inline std::string_view TakeLine(OpenedFile& f) {
  std::size_t start = f.pos;
  std::string_view rest(f.data.data() + start, f.end - start);
  // Many lines are empty (a circuit database record has nine in a row): no search for them.
  std::string_view line =
      rest.front() == '\r' ? rest.substr(0, 0) : rest.substr(0, rest.find('\r'));
  std::size_t stop = start + line.size();
  f.pos = stop;
  if (stop < f.end) {
    ++f.pos;
    if (f.pos < f.end && f.data[f.pos] == '\n') ++f.pos;
  }
  return line;
}

// The next line of an open input file; at its end, raises 62 and yields an empty line.
std::string_view NextLine(OpenedFile& f, int file, bool cut_at_zero) {
  if (f.pos >= f.end) {
    RaiseFileError(62, file, true);
    return {};
  }
  std::string_view line = TakeLine(f);
  return cut_at_zero && f.has_zero ? CutAtZero(line) : line;
}

}  // namespace

std::string_view ReadLine(int file, bool cut_at_zero) {
  Procedure procedure("MAKEASCI");
  OpenedFile* f = InputFile(file);
  return f == nullptr ? std::string_view() : NextLine(*f, file, cut_at_zero);
}

void ReadLines(int file, int count, std::vector<std::string_view>* lines, std::size_t kept) {
  Procedure procedure("MAKEASCI");
  // The lines before the end of an open input file, taken one after the other; what is
  // left of the count is read as below, each line raising its error.
  if (OpenedFile* f = Find(file); f != nullptr && f->mode == FileMode::kInput) {
    bool cut_at_zero = lines != nullptr && f->has_zero;
    for (; count > 0 && f->pos < f->end; --count) {
      std::string_view text = TakeLine(*f);
      if (lines != nullptr && lines->size() < kept) {
        lines->push_back(cut_at_zero ? CutAtZero(text) : text);
      }
    }
  }
  for (int line = 0; line < count; ++line) {
    OpenedFile* f = InputFile(file);
    if (f == nullptr) continue;
    std::string_view text = NextLine(*f, file, lines != nullptr);
    if (lines != nullptr && lines->size() < kept) lines->push_back(text);
  }
}

void SkipLines(int file, int count) {
  ReadLines(file, count, nullptr, 0);
}

Text ReadRecordString(int file, Text same) {
  std::string_view line = ReadLine(file, false);
  Procedure procedure("MAKEASCI");
  // NewRecordString(line) would make a list with the upper bound line.size() + 1 holding
  // the line up to its first zero byte: a string of that bound holding exactly a line
  // without zero bytes is the one this line makes. The bound is read first: it is known
  // without reading the string.
  if (same != nullptr && HeapArrayUpper(same) == static_cast<std::int64_t>(line.size()) + 1 &&
      same[line.size()] == '\0' && line.find('\0') == std::string_view::npos &&
      line == std::string_view(same, line.size())) {
    return same;
  }
  return NewRecordString(line);  // sized by the whole line, cut at its first zero byte
}

void PrintLine(int file, std::string_view text) {
  OpenedFile* opened = Find(file);
  if (opened == nullptr) {
    RaiseFileError(52, file);
    return;
  }
  if (opened->mode == FileMode::kInput) {
    RaiseFileError(54, file);
    return;
  }
  opened->data.append(text).append("\r\n");
  if (opened->data.size() >= kFlushSize) Flush(*opened);
}

std::int32_t CutCount(int file, std::int32_t count, int items_per_entry) {
  if (items_per_entry < 1) items_per_entry = 1;
  std::int64_t left = static_cast<std::int64_t>(BytesLeft(file));
  if (count <= 0 || static_cast<std::int64_t>(count) * items_per_entry <= left) return count;
  return static_cast<std::int32_t>(left / items_per_entry + 1);
}

}  // namespace kzo::store

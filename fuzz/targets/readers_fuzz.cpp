// Fuzzes the numeric and line item readers: the input is a legacy text file read by a
// sequence of item reads that its first bytes choose, and a number text converted alone.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_env.h"
#include "store/numbers.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kzo::fuzz::FuzzEnv env;
  using namespace kzo;
  std::string_view input(reinterpret_cast<const char*>(data), size);

  double converted = store::ConvertNumber(input);
  (void)store::RoundToInt32(converted);
  (void)store::NumericValue(input);

  env.BeginRun();
  env.ClearFiles();
  std::string_view program = input.substr(0, std::min<std::size_t>(input.size(), 8));
  env.AddFile("/legacy/items.dat", input);
  int file = store::FreeFile();
  store::OpenFile("/legacy/items.dat", store::FileMode::kInput, file);
  std::size_t left = store::BytesLeft(file);
  // Every read that succeeds takes at least one byte, so the loop ends within the file.
  for (std::size_t step = 0; !store::AtEndOfFile(file) && step <= size + 1; ++step) {
    unsigned op = program.empty() ? 0 : static_cast<unsigned char>(program[step % program.size()]);
    switch (op % 5) {
      case 0:
        (void)store::ReadNumber(file);
        break;
      case 1: {
        std::string_view line = store::ReadLine(file);
        Check(line.find('\r') == std::string_view::npos);
        Check(line.find('\0') == std::string_view::npos);
        break;
      }
      case 2: {
        Text text = store::ReadRecordString(file);
        if (text != nullptr) Check(View(text).find('\r') == std::string_view::npos);
        break;
      }
      case 3: {
        std::string_view line = store::ReadLine(file, false);
        Check(line.find('\r') == std::string_view::npos);
        break;
      }
      default: {
        std::int32_t count = store::ReadNumber(file);
        std::int32_t cut = store::CutCount(file, count, static_cast<int>(op % 200));
        Check(cut <= count);
        Check(count <= 0 || cut >= 1);
        break;
      }
    }
    std::size_t now = store::BytesLeft(file);
    Check(now < left || store::AtEndOfFile(file));
    left = now;
  }
  Check(store::AtEndOfFile(file));
  // Reads past the end are reported and yield nothing.
  Check(store::ReadNumber(file) == 0);
  Check(store::ReadLine(file).empty());
  store::CloseFile(file);
  env.EndRun();
  return 0;
}

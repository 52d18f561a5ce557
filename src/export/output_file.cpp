#include "export/output_file.h"

namespace kzo::exporter {
namespace {

// What PieceFile holds before it hands it over to the platform.
constexpr std::size_t kPieceSize = 1 << 16;

}  // namespace

PieceFile::PieceFile(platform::Env& files, const std::string& path) : files_(files) {
  platform::OpenResult opened = files_.Open(path, platform::OpenMode::kOutput);
  if (opened.error != 0) failure_ = files_.LastErrorText();
  handle_ = opened.handle;
}

PieceFile::~PieceFile() {
  if (handle_ > 0) files_.Close(handle_);
}

void PieceFile::HandOver() {
  if (pending_.size() >= kPieceSize) Write();
}

void PieceFile::Write() {
  if (!failure_ && !pending_.empty() &&
      files_.Write(handle_, pending_.data(), pending_.size()) != 0) {
    failure_ = files_.LastErrorText();
  }
  pending_.clear();
}

std::optional<std::string> PieceFile::Finish() {
  if (handle_ <= 0) return failure_;
  Write();
  if (files_.Close(handle_) != 0 && !failure_) failure_ = files_.LastErrorText();
  handle_ = 0;
  return failure_;
}

}  // namespace kzo::exporter

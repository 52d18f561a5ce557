#include "export/csv/csv_export.h"

#include <memory>
#include <unordered_map>

#include "export/csv/csv_file.h"
#include "export/database_tables.h"
#include "export/output_folder.h"

namespace kzo::exporter {
namespace {

constexpr std::string_view kMarkerText =
    "This folder holds CSV files written by kzo-export --format csv. The next export to this\n"
    "folder replaces it whole, with everything in it.\n";

// The files of the tables, each begun with its header row; a row goes to the file of its
// table's name.
class TableFiles : public RowSink {
 public:
  TableFiles(platform::Env& files, const std::string& folder) {
    for (const Table& table : DatabaseTables()) {
      auto file = std::make_unique<CsvFile>(files, folder + "/" + table.name + ".csv");
      for (const Column& column : table.columns) file->Utf8(column.name);
      file->EndRow();
      files_.emplace(table.name, std::move(file));
    }
  }

  void Row(const Table& table, std::span<const Value> values) override {
    if (last_ == nullptr || last_name_ != table.name) {
      last_ = files_.at(table.name).get();
      last_name_ = table.name;
    }
    for (const Value& value : values) last_->Field(value);
    last_->EndRow();
  }

  // Closes every file; the reason when one was not written whole.
  std::optional<std::string> Finish() {
    std::optional<std::string> failure;
    for (auto& [name, file] : files_) {
      std::optional<std::string> closed = file->Finish();
      if (!failure) failure = closed;
    }
    return failure;
  }

 private:
  std::unordered_map<std::string, std::unique_ptr<CsvFile>> files_;
  CsvFile* last_ = nullptr;  // the file of the last row: rows mostly come table by table
  std::string last_name_;
};

}  // namespace

std::optional<std::string> WriteCsvFolder(platform::Env& files, const std::string& folder) {
  return WriteWholeFolder(files, folder, kCsvMarker, kMarkerText, [&](const std::string& written) {
    TableFiles tables(files, written);
    WriteDatabaseRows(tables);
    return tables.Finish();
  });
}

}  // namespace kzo::exporter

#include "config/file_helpers.h"

#include <string>

#include "store/files.h"
#include "store/runtime.h"

namespace kzo::config {

int SAFEOPEN(std::string_view file_name) {
  store::Procedure procedure("SAFEOPEN");
  if (!store::Platform().FileExists(file_name)) return 0;
  int file = store::FreeFile();
  store::OpenFile(file_name, store::FileMode::kInput, file);
  return file;
}

void MSGBOX(std::string_view message) {
  store::Procedure procedure("MSGBOX");
  std::string line(message);
  line += "\r\n";
  store::Platform().WriteConsole(line);
}

}  // namespace kzo::config

#include "board/win32/LayoutFiles.h"

#include "board/win32/ProgramBoard.h"
#include "layout/FileNames.h"
#include "layout/OlderLayoutFiles.h"
#include "layout/Qv4File.h"
#include "layout/win32/SystemFiles.h"

namespace rovenza {

void readLayoutFile(const std::string& path) {
  ProgramBoard board(path);
  readLayoutFile(systemFiles(), path, board);
}

void readVer3LayoutFile(const std::string& path) {
  ProgramBoard board(path);
  readVer3LayoutFile(systemFiles(), path, board);
}

void readDigitalLayoutFile(const std::string& path) {
  ProgramBoard board(path);
  readDigitalLayoutFile(systemFiles(), path, board);
}

void writeLayoutFile(const std::string& path) {
  ProgramBoard board;
  writeLayoutFile(systemFiles(), path, board);
}

void reportSaveError(SystemError error) {
  ProgramBoard board;
  board.reportSaveError(error);
}

void openLayoutFile(const std::string& path) {
  switch (layoutFormatOf(path)) {
    case LayoutFormat::Qv4:
      readLayoutFile(path);
      break;
    case LayoutFormat::Qv3:
      readVer3LayoutFile(path);
      break;
    case LayoutFormat::Qvd:
      readDigitalLayoutFile(path);
      break;
    case LayoutFormat::None:
      break;
  }
}

}  // namespace rovenza

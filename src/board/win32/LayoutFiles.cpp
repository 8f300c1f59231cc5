#include "board/win32/LayoutFiles.h"

#include "board/win32/NetworkQuestion.h"
#include "board/win32/ProgramBoard.h"
#include "layout/FileNames.h"
#include "layout/MemoryBoard.h"
#include "layout/OlderLayoutFiles.h"
#include "layout/Qv4File.h"
#include "layout/win32/SystemFiles.h"

namespace rovenza {

namespace {

using Reader = ReadOutcome (*)(FileSystem&, const std::string&, LayoutSink&);

void (*layoutOpeningListener)() = nullptr;

// Reads `path` with `reader` onto the board of `face` (0: the main
// window's). The paths the file names are read first, into memory, so that
// the question about the hosts they reach comes before the first of them is
// touched.
void readOntoBoard(Reader reader, const std::string& path, int face = 0) {
  MemoryBoard named;
  reader(systemFiles(), path, named);
  const Layout& record = named.record;
  const std::vector<std::string> paths{record.backgroundPicture, record.signs[0].picturePath,
                                       record.signs[1].picturePath};
  ProgramBoard board(path, askAboutNetworkPaths(path, paths), face);
  reader(systemFiles(), path, board);
}

Reader readerFor(const std::string& path) {
  switch (layoutFormatOf(path)) {
    case LayoutFormat::Qv4:
      return readLayoutFile;
    case LayoutFormat::Qv3:
      return readVer3LayoutFile;
    case LayoutFormat::Qvd:
      return readDigitalLayoutFile;
    case LayoutFormat::None:
      break;
  }
  return nullptr;
}

}  // namespace

void readLayoutFile(const std::string& path) { readOntoBoard(readLayoutFile, path); }
void readVer3LayoutFile(const std::string& path) { readOntoBoard(readVer3LayoutFile, path); }
void readDigitalLayoutFile(const std::string& path) { readOntoBoard(readDigitalLayoutFile, path); }

void writeLayoutFile(const std::string& path) {
  ProgramBoard board;
  writeLayoutFile(systemFiles(), path, board);
}

void reportSaveError(SystemError error) {
  ProgramBoard board;
  board.reportSaveError(error);
}

void setLayoutOpeningListener(void (*listener)()) { layoutOpeningListener = listener; }

void openLayoutFile(const std::string& path) {
  if (!readerFor(path)) return;
  if (layoutOpeningListener) layoutOpeningListener();
  openFaceLayoutFile(path, 0);
}

void openFaceLayoutFile(const std::string& path, int face) {
  if (Reader reader = readerFor(path)) readOntoBoard(reader, path, face);
}

}  // namespace rovenza

#include "vehicle/VehicleFile.h"

#include <algorithm>
#include <map>

#include "common/ByteReader.h"
#include "layout/FileNames.h"
#include "layout/MemoryBoard.h"
#include "layout/OlderLayoutFiles.h"
#include "layout/Qv4File.h"

namespace rovenza {

namespace {

constexpr unsigned char kBom[] = {0xEF, 0xBB, 0xBF};
constexpr int kFirstSignColumn = 4;  // code, name, period, then the signs

// The text after any byte-order mark.
std::string_view textOf(const unsigned char* data, std::size_t size) {
  ByteReader reader(data, size);
  reader.expect(reinterpret_cast<const char*>(kBom), sizeof kBom);
  return std::string_view(reinterpret_cast<const char*>(data) + reader.position(), reader.remaining());
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

VehicleError headError(VehicleProblem problem, int line) { return VehicleError{problem, line, 0, false}; }
VehicleError tableError(VehicleProblem problem, int line, int column = 0) {
  return VehicleError{problem, line, column, true};
}

// A whole number of at most `maxDigits` digits; false for anything else.
bool parseWhole(std::string_view text, int maxDigits, int& value) {
  if (text.empty() || text.size() > static_cast<std::size_t>(maxDigits)) return false;
  int result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + (c - '0');
  }
  value = result;
  return true;
}

// Seconds as "3", "2.5" or "0.25" (at most three decimals) in milliseconds.
bool parsePeriod(std::string_view text, std::int32_t& ms) {
  const std::size_t dot = text.find('.');
  int whole = 0;
  if (!parseWhole(text.substr(0, dot), 2, whole)) return false;
  int fraction = 0;
  if (dot != std::string_view::npos) {
    const std::string_view digits = text.substr(dot + 1);
    if (!parseWhole(digits, 3, fraction)) return false;
    for (std::size_t k = digits.size(); k < 3; ++k) fraction *= 10;
  }
  ms = whole * 1000 + fraction;
  return true;
}

bool parseCell(std::string_view text, SignCell& cell) {
  cell = SignCell{};
  if (text.empty()) return true;
  if (text == "-") {
    cell.action = CellAction::Blank;
    return true;
  }
  cell.action = CellAction::Frames;
  for (;;) {
    const std::size_t slash = text.find('/');
    int frame = 0;
    if (!parseWhole(trimmed(text.substr(0, slash)), 3, frame) || frame > kMaxFrame) return false;
    if (cell.frames.size() == static_cast<std::size_t>(kMaxPages)) return false;
    cell.frames.push_back(static_cast<std::int16_t>(frame));
    if (slash == std::string_view::npos) return true;
    text.remove_prefix(slash + 1);
  }
}

// A face's PixelDots=: its signs by number (1 or 2), split by commas;
// empty for none.
bool parsePixelDots(std::string_view text, bool (&signs)[kSignsPerFace]) {
  if (text.empty()) return true;
  for (;;) {
    const std::size_t comma = text.find(',');
    int sign = 0;
    if (!parseWhole(trimmed(text.substr(0, comma)), 1, sign) || sign < 1 || sign > kSignsPerFace) return false;
    signs[sign - 1] = true;
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

bool isAbsolute(std::string_view path) {
  if (!path.empty() && (path.front() == '\\' || path.front() == '/')) return true;
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// A path of the head in code page 932, resolved against the vehicle file's
// folder; false when it is empty or has a character code page 932 lacks.
bool resolvePath(std::string_view utf8, std::string_view vehiclePath, TextCodec& codec, std::string& path) {
  std::string converted;
  if (utf8.empty() || !codec.utf8ToCp932(utf8, converted) || converted.find('\0') != std::string::npos) return false;
  if (isAbsolute(converted)) {
    path = converted;
    return true;
  }
  const std::string folder = folderOf(vehiclePath);
  path = folder == "." ? converted : folder + converted;
  return true;
}

enum class Section { None, Vehicle, Face, Codes };

struct HeadLine {
  std::string_view key;
  std::string_view value;
};

}  // namespace

const VehicleCode* CodeTable::find(int code) const {
  for (const VehicleCode& entry : codes) {
    if (entry.code == code) return &entry;
  }
  return nullptr;
}

VehicleError readVehicleHead(const unsigned char* data, std::size_t size, std::string_view vehiclePath,
                             TextCodec& codec, VehicleHead& head) {
  head = VehicleHead{};
  if (size > kMaxVehicleFileBytes) return headError(VehicleProblem::TooLarge, 0);
  const std::string_view text = textOf(data, size);
  std::size_t badAt = 0;
  if (!isUtf8(text, &badAt)) return headError(VehicleProblem::BadEncoding, lineAt(text, badAt));

  struct FaceSeen {
    int sectionLine = 0;
    std::map<std::string, int> keys;
    std::string name;
    std::string layout;
    std::string pixelDots;
  };
  FaceSeen faces[kMaxFaces];
  std::map<std::string, int> vehicleKeys;
  std::map<std::string, int> codesKeys;
  bool vehicleSeen = false;
  bool codesSeen = false;
  std::string tableText;
  Section section = Section::None;
  int face = -1;

  std::size_t start = 0;
  int line = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    ++line;
    const std::string_view raw = trimmed(text.substr(start, end - start));
    start = end;
    if (start < text.size() && text[start] == '\r' && start + 1 < text.size() && text[start + 1] == '\n') ++start;
    ++start;

    if (raw.empty() || raw.front() == ';' || raw.front() == '#') continue;
    if (raw.front() == '[') {
      if (raw.back() != ']') return headError(VehicleProblem::BadLine, line);
      const std::string name = lowered(trimmed(raw.substr(1, raw.size() - 2)));
      if (name == "vehicle") {
        if (vehicleSeen) return headError(VehicleProblem::DuplicateSection, line);
        vehicleSeen = true;
        section = Section::Vehicle;
      } else if (name == "codes") {
        if (codesSeen) return headError(VehicleProblem::DuplicateSection, line);
        codesSeen = true;
        section = Section::Codes;
      } else if (name.compare(0, 4, "face") == 0) {
        int number = 0;
        if (!parseWhole(std::string_view(name).substr(4), 9, number) || number < 1) {
          return headError(VehicleProblem::UnknownSection, line);
        }
        if (number > kMaxFaces) return headError(VehicleProblem::TooManyFaces, line);
        face = number - 1;
        if (faces[face].sectionLine != 0) return headError(VehicleProblem::DuplicateSection, line);
        faces[face].sectionLine = line;
        section = Section::Face;
      } else {
        return headError(VehicleProblem::UnknownSection, line);
      }
      continue;
    }
    const std::size_t equals = raw.find('=');
    if (equals == std::string_view::npos) return headError(VehicleProblem::BadLine, line);
    const std::string key = lowered(trimmed(raw.substr(0, equals)));
    const std::string_view value = trimmed(raw.substr(equals + 1));
    std::map<std::string, int>* keys = nullptr;
    std::string* target = nullptr;
    switch (section) {
      case Section::None:
        return headError(VehicleProblem::KeyOutsideSection, line);
      case Section::Vehicle:
        keys = &vehicleKeys;
        if (key == "name") target = &head.name;
        break;
      case Section::Face:
        keys = &faces[face].keys;
        if (key == "name") target = &faces[face].name;
        if (key == "layout") target = &faces[face].layout;
        if (key == "pixeldots") target = &faces[face].pixelDots;
        break;
      case Section::Codes:
        keys = &codesKeys;
        if (key == "table") target = &tableText;
        break;
    }
    if (target == nullptr) return headError(VehicleProblem::UnknownKey, line);
    if (!keys->emplace(key, line).second) return headError(VehicleProblem::DuplicateKey, line);
    *target = std::string(value);
  }

  int faceCount = 0;
  while (faceCount < kMaxFaces && faces[faceCount].sectionLine != 0) ++faceCount;
  if (faceCount == 0) {
    return headError(VehicleProblem::FaceMissing, faces[1].sectionLine ? faces[1].sectionLine
                                                   : faces[2].sectionLine ? faces[2].sectionLine
                                                                          : faces[3].sectionLine);
  }
  for (int k = faceCount; k < kMaxFaces; ++k) {
    if (faces[k].sectionLine != 0) return headError(VehicleProblem::FaceMissing, faces[k].sectionLine);
  }
  for (int k = 0; k < faceCount; ++k) {
    const FaceSeen& seen = faces[k];
    VehicleFace face;
    face.name = seen.name.empty() ? "\xE9\x9D\xA2" + std::to_string(k + 1) : seen.name;  // 面n
    const auto layoutKey = seen.keys.find("layout");
    if (layoutKey == seen.keys.end() || seen.layout.empty()) {
      return headError(VehicleProblem::NoLayout, layoutKey == seen.keys.end() ? seen.sectionLine : layoutKey->second);
    }
    face.layoutLine = layoutKey->second;
    if (!resolvePath(seen.layout, vehiclePath, codec, face.layoutPath)) {
      return headError(VehicleProblem::BadPath, face.layoutLine);
    }
    if (layoutFormatOf(face.layoutPath) == LayoutFormat::None) {
      return headError(VehicleProblem::NotLayoutName, face.layoutLine);
    }
    if (!parsePixelDots(seen.pixelDots, face.pixelDots)) {
      return headError(VehicleProblem::BadPixelDots, seen.keys.find("pixeldots")->second);
    }
    head.faces.push_back(std::move(face));
  }
  const auto tableKey = codesKeys.find("table");
  if (tableKey == codesKeys.end() || tableText.empty()) {
    return headError(VehicleProblem::NoTable, tableKey == codesKeys.end() ? 0 : tableKey->second);
  }
  head.tableLine = tableKey->second;
  if (!resolvePath(tableText, vehiclePath, codec, head.tablePath)) {
    return headError(VehicleProblem::BadPath, head.tableLine);
  }
  return VehicleError{};
}

VehicleError readCodeTable(const unsigned char* data, std::size_t size, const std::vector<SignKind>& kinds,
                           CodeTable& table) {
  table = CodeTable{};
  if (size > kMaxCodeTableBytes) return tableError(VehicleProblem::TooLarge, 0);
  const std::string_view text = textOf(data, size);
  std::size_t badAt = 0;
  if (!isUtf8(text, &badAt)) return tableError(VehicleProblem::BadEncoding, lineAt(text, badAt));
  CsvReader reader(text);
  CsvRecord csv;
  CsvReader::Step step = reader.next(csv);  // the header
  if (step == CsvReader::Step::End) return tableError(VehicleProblem::NoHeader, 1);

  CodeTable read;
  int lineOfCode[kMaxCode + 1] = {};
  int lastLine = 1;
  const std::size_t signColumns = kinds.size();
  for (;;) {
    if (step == CsvReader::Step::BrokenQuote) return tableError(VehicleProblem::BrokenQuote, reader.line());
    step = reader.next(csv);
    if (step == CsvReader::Step::End) break;
    if (step == CsvReader::Step::BrokenQuote) continue;
    lastLine = csv.line;
    if (csv.cells.size() == 1 && trimmed(csv.cells[0]).empty()) continue;
    VehicleCode code;
    code.line = csv.line;
    if (!parseWhole(trimmed(csv.cells[0]), 3, code.code) || code.code < kMinCode || code.code > kMaxCode) {
      return tableError(VehicleProblem::BadCode, csv.line, 1);
    }
    if (lineOfCode[code.code] != 0) return tableError(VehicleProblem::DuplicateCode, csv.line, 1);
    lineOfCode[code.code] = csv.line;
    if (csv.cells.size() > 1) code.name = std::string(trimmed(csv.cells[1]));
    if (csv.cells.size() > 2 && !trimmed(csv.cells[2]).empty()) {
      if (!parsePeriod(trimmed(csv.cells[2]), code.periodMs) || code.periodMs < kMinPeriodMs ||
          code.periodMs > kMaxPeriodMs) {
        return tableError(VehicleProblem::BadPeriod, csv.line, 3);
      }
    }
    code.cells.resize(signColumns);
    for (std::size_t c = kFirstSignColumn - 1; c < csv.cells.size(); ++c) {
      const int column = static_cast<int>(c) + 1;
      const std::string_view cellText = trimmed(csv.cells[c]);
      const std::size_t sign = c - (kFirstSignColumn - 1);
      if (sign >= signColumns) {
        if (!cellText.empty()) return tableError(VehicleProblem::TooManyColumns, csv.line, column);
        continue;
      }
      SignCell& cell = code.cells[sign];
      if (!parseCell(cellText, cell)) return tableError(VehicleProblem::BadCell, csv.line, column);
      if (cell.frames.size() > 1 && kinds[sign] != SignKind::Led) {
        return tableError(VehicleProblem::PagesOnRollFilm, csv.line, column);
      }
    }
    read.codes.push_back(std::move(code));
  }
  if (read.codes.empty()) return tableError(VehicleProblem::NoCodes, lastLine);
  table = std::move(read);
  return VehicleError{};
}

std::vector<std::string> vehiclePaths(const VehicleHead& head) {
  std::vector<std::string> paths;
  for (const VehicleFace& face : head.faces) paths.push_back(face.layoutPath);
  paths.push_back(head.tablePath);
  return paths;
}

std::vector<SignKind> vehicleSignKinds(const VehicleHead& head) {
  std::vector<SignKind> kinds;
  for (const VehicleFace& face : head.faces) kinds.insert(kinds.end(), face.kinds, face.kinds + kSignsPerFace);
  return kinds;
}

VehicleError readWholeFile(FileSystem& files, const std::string& path, std::uint64_t limit,
                           std::vector<unsigned char>& bytes) {
  std::unique_ptr<ByteFile> file = files.openForReading(path);
  if (!file) return headError(VehicleProblem::CannotRead, 0);
  const std::uint64_t size = file->size();
  if (size > limit) return headError(VehicleProblem::TooLarge, 0);
  bytes.assign(static_cast<std::size_t>(size), 0);
  std::size_t done = 0;
  while (done < bytes.size()) {
    std::uint32_t delivered = 0;
    if (!file->read(bytes.data() + done, static_cast<std::uint32_t>(bytes.size() - done), delivered)) {
      return headError(VehicleProblem::CannotRead, 0);
    }
    if (delivered == 0) break;
    done += delivered;
  }
  bytes.resize(done);
  file->close();
  return VehicleError{};
}

VehicleError readFaceLayout(FileSystem& files, VehicleFace& face, MemoryBoard& board) {
  if (!files.openForReading(face.layoutPath)) return headError(VehicleProblem::LayoutMissing, face.layoutLine);
  ReadOutcome outcome = ReadOutcome::NotOpened;
  switch (layoutFormatOf(face.layoutPath)) {
    case LayoutFormat::Qv4:
      outcome = readLayoutFile(files, face.layoutPath, board);
      break;
    case LayoutFormat::Qv3:
      outcome = readVer3LayoutFile(files, face.layoutPath, board);
      break;
    case LayoutFormat::Qvd:
      outcome = readDigitalLayoutFile(files, face.layoutPath, board);
      break;
    case LayoutFormat::None:
      break;
  }
  if (outcome != ReadOutcome::Applied) return headError(VehicleProblem::NotLayoutFile, face.layoutLine);
  for (int sign = 0; sign < kSignsPerFace; ++sign) {
    face.kinds[sign] = board.places[sign].visible ? effectiveKind(board.record.signs[sign].kind) : SignKind::Hidden;
  }
  return VehicleError{};
}

VehicleError openVehicleParts(FileSystem& files, Vehicle& vehicle) {
  for (VehicleFace& face : vehicle.head.faces) {
    MemoryBoard board;
    const VehicleError error = readFaceLayout(files, face, board);
    if (error) return error;
  }
  if (!files.openForReading(vehicle.head.tablePath)) {
    return headError(VehicleProblem::TableMissing, vehicle.head.tableLine);
  }
  std::vector<unsigned char> bytes;
  VehicleError error = readWholeFile(files, vehicle.head.tablePath, kMaxCodeTableBytes, bytes);
  if (error) {
    error.inTable = true;
    return error;
  }
  return readCodeTable(bytes.data(), bytes.size(), vehicleSignKinds(vehicle.head), vehicle.table);
}

std::string vehicleProblemText(const VehicleError& error) {
  std::string where = error.inTable ? "コード表" : "車両ファイル";
  if (error.line > 0) where += "の" + std::to_string(error.line) + "行目";
  if (error.column > 0) where += std::to_string(error.column) + "列目";
  switch (error.problem) {
    case VehicleProblem::None:
      return std::string();
    case VehicleProblem::CannotRead:
      return where + "を読み込めません。";
    case VehicleProblem::TooLarge:
      return where + "が大きすぎます。";
    case VehicleProblem::BadEncoding:
      return where + "の文字を読めません。UTF-8で保存してください。";
    case VehicleProblem::BadLine:
      return where + "を読めません。[見出し] か 名前=値 の形で書いてください。";
    case VehicleProblem::UnknownSection:
      return where + "の見出しは使えません。[Vehicle]、[Face1]～[Face4]、[Codes] が使えます。";
    case VehicleProblem::DuplicateSection:
      return where + "の見出しは前にも書かれています。";
    case VehicleProblem::TooManyFaces:
      return where + "：面は4つまでです。";
    case VehicleProblem::UnknownKey:
      return where + "の名前は使えません。";
    case VehicleProblem::DuplicateKey:
      return where + "の名前は同じ見出しの中で前にも書かれています。";
    case VehicleProblem::KeyOutsideSection:
      return where + "の前に見出しがありません。";
    case VehicleProblem::FaceMissing:
      return where + "：面は[Face1]から順に番号を飛ばさずに書いてください。";
    case VehicleProblem::NoLayout:
      return where + "の面にLayout=がありません。";
    case VehicleProblem::NotLayoutName:
      return where + "：Layout=には .qv4、.qv3、.qvd のファイルを書いてください。";
    case VehicleProblem::BadPixelDots:
      return where + "：PixelDots=には面の表示器の番号（1、2）をカンマで区切って書いてください。";
    case VehicleProblem::NoTable:
      return where + "：[Codes] の Table= がありません。";
    case VehicleProblem::BadPath:
      return where + "のファイル名は使えません。";
    case VehicleProblem::LayoutMissing:
      return where + "のレイアウトファイルが見つかりません。";
    case VehicleProblem::NotLayoutFile:
      return where + "のファイルはRovenzaのレイアウトとして読めません。";
    case VehicleProblem::TableMissing:
      return where + "のコード表が見つかりません。";
    case VehicleProblem::BrokenQuote:
      return where + "の引用符（\"）が閉じていません。";
    case VehicleProblem::NoHeader:
    case VehicleProblem::NoCodes:
      return where + "：コードが1つもありません。1行目は見出しで、2行目からコードを書きます。";
    case VehicleProblem::BadCode:
      return where + "のコードが読めません。コードは1～999です。";
    case VehicleProblem::DuplicateCode:
      return where + "のコードは前の行にもあります。";
    case VehicleProblem::BadPeriod:
      return where + "の周期が読めません。秒で0.2～60を書いてください（空なら3秒）。";
    case VehicleProblem::BadCell:
      return where + "が読めません。空、-（消灯）、コマ番号0～999、または12/40/41のように16コマまでを書いてください。";
    case VehicleProblem::PagesOnRollFilm:
      return where + "：交互に替わる表示はLEDの表示器だけにできます。";
    case VehicleProblem::TooManyColumns:
      return where + "：面の表示器より多くの列があります。";
  }
  return std::string();
}

}  // namespace rovenza

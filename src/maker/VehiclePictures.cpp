#include "maker/VehiclePictures.h"

#include <algorithm>

#include "common/Cp932.h"
#include "layout/FileNames.h"
#include "maker/Saving.h"
#include "maker/Strip.h"

namespace rovenza {

namespace {

const char* const kTableHeader = reinterpret_cast<const char*>(u8"コード,行先名,周期");

// A path as the system tells names apart: "/" is "\", ASCII letters in
// upper case, no separator at the end. A trail byte is never taken for a
// letter or a separator.
std::string pathKey(std::string_view path) {
  std::string key;
  std::size_t lastDoubleEnd = 0;  // the key's length after its last two-byte character
  for (std::size_t at = 0; at < path.size();) {
    const std::size_t length = charLength(path, at);
    if (length == 1) {
      char c = path[at];
      if (c == '/') c = '\\';
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      key += c;
    } else {
      key.append(path.substr(at, length));
      lastDoubleEnd = key.size();
    }
    at += length;
  }
  while (key.size() > std::max<std::size_t>(1, lastDoubleEnd) && key.back() == '\\') key.pop_back();
  return key;
}

bool isStripName(const std::string& path) {
  const std::string extension = upperLastFour(path);
  return extension == ".BMP" || extension == ".PNG";
}

// Whether a file lies directly in an LED folder under a name its frame set
// takes for a frame (and so would be replaced by the set).
bool frameFileOf(const VehicleOutput& file, const VehicleOutput& folder) {
  if (file.kind == VehicleOutputKind::LedFolder || folder.kind != VehicleOutputKind::LedFolder) return false;
  const std::string fileFolder = folderOf(file.path);
  return pathKey(fileFolder) == pathKey(folder.path) && isFrameFileName(file.path.substr(fileFolder.size()));
}

// Whether two outputs cannot both be written: one place for two different
// things, or a file the other's frame set would replace.
bool clash(const VehicleOutput& a, const VehicleOutput& b) {
  if (pathKey(a.path) == pathKey(b.path)) {
    return a.kind != b.kind || a.width != b.width || a.height != b.height || a.kind == VehicleOutputKind::CodeTable;
  }
  return frameFileOf(a, b) || frameFileOf(b, a);
}

VehiclePicturePlan failed(VehiclePictureProblem problem, int sign, const std::string& path) {
  VehiclePicturePlan plan;
  plan.problem = problem;
  plan.sign = sign;
  plan.path = path;
  return plan;
}

// Adds `output`, or its sign to the same output already there; false when it
// clashes with one.
bool addOutput(std::vector<VehicleOutput>& outputs, const VehicleOutput& output) {
  for (VehicleOutput& known : outputs) {
    if (clash(known, output)) return false;
    if (pathKey(known.path) == pathKey(output.path)) {
      known.signs.insert(known.signs.end(), output.signs.begin(), output.signs.end());
      return true;
    }
  }
  outputs.push_back(output);
  return true;
}

std::string signText(int sign) {
  return "面" + std::to_string(sign / kSignsPerFace + 1) + "の" + std::to_string(sign % kSignsPerFace + 1) + "つ目の幕";
}

}  // namespace

VehiclePicturePlan planVehiclePictures(const std::vector<FaceSign>& signs, std::size_t rows, const std::string& tablePath) {
  if (rows == 0 || rows > kMaxSignRows) return failed(VehiclePictureProblem::NoRows, -1, std::string());
  VehiclePicturePlan plan;
  for (std::size_t index = 0; index < signs.size(); ++index) {
    const FaceSign& sign = signs[index];
    const int number = static_cast<int>(index);
    if (sign.kind == SignKind::Hidden) continue;
    const std::string& path = sign.picturePath;
    if (path.empty()) return failed(VehiclePictureProblem::NoPicturePath, number, path);
    if (sign.width < 1 || sign.width > kMaxFrameSide || sign.height < 1 || sign.height > kMaxFrameSide) {
      return failed(VehiclePictureProblem::BadSize, number, path);
    }
    const bool strip = sign.kind == SignKind::RollFilm;
    if (strip && !isStripName(path)) return failed(VehiclePictureProblem::NotStripName, number, path);
    if (strip && !stripLoadable(stripGeometry(sign.width, sign.height, rows))) {
      return failed(VehiclePictureProblem::StripTooLarge, number, path);
    }
    const VehicleOutput output{strip ? VehicleOutputKind::Strip : VehicleOutputKind::LedFolder, path, sign.width,
                               sign.height, {number}};
    if (!addOutput(plan.outputs, output)) return failed(VehiclePictureProblem::SamePath, number, path);
  }
  if (plan.outputs.empty()) return failed(VehiclePictureProblem::NoSigns, -1, std::string());
  const VehicleOutput table{VehicleOutputKind::CodeTable, tablePath, 0, 0, {}};
  for (const VehicleOutput& known : plan.outputs) {
    if (clash(known, table)) return failed(VehiclePictureProblem::SamePath, known.signs.front(), tablePath);
  }
  plan.outputs.push_back(table);
  return plan;
}

std::string vehiclePictureProblemText(const VehiclePicturePlan& plan) {
  const std::string sign = plan.sign >= 0 ? signText(plan.sign) : std::string();
  const std::string path = "「" + plan.path + "」";
  switch (plan.problem) {
    case VehiclePictureProblem::None:
      return std::string();
    case VehiclePictureProblem::NoRows:
      return "表に行がありません。行を追加してから作成してください。";
    case VehiclePictureProblem::NoSigns:
      return "この車両には表示される幕がありません。";
    case VehiclePictureProblem::NoPicturePath:
      return sign + "のレイアウトに方向幕の画像もLEDのフォルダーも指定されていないため、作成できません。"
                    "レイアウトで指定してから作成してください。";
    case VehiclePictureProblem::BadSize:
      return sign + "の大きさでは作成できません。幅と高さは1から8192までです。";
    case VehiclePictureProblem::StripTooLarge:
      return sign + "：" + kStripTooLargeText;
    case VehiclePictureProblem::NotStripName:
      return sign + "の方向幕の画像" + path + "はBMPでもPNGでもないため作成できません。"
                    "レイアウトで .bmp か .png の名前にしてください。";
    case VehiclePictureProblem::SamePath:
      return sign + "の画像" + path + "には、ほかの幕の画像かコード表も書くことになるため作成できません。"
                    "レイアウトか車両ファイルで別の名前にしてください。";
  }
  return std::string();
}

void writeVehicleCodeTable(const VehicleHead& head, const std::vector<FaceSign>& signs,
                           const std::vector<SignRow>& rows, std::vector<unsigned char>& out) {
  std::string text = "\xEF\xBB\xBF";
  text += kTableHeader;
  for (std::size_t sign = 0; sign < signs.size(); ++sign) {
    const std::size_t face = sign / kSignsPerFace;
    text += ',';
    appendCsvCell(text, (face < head.faces.size() ? head.faces[face].name : std::string()) + "(" +
                            std::to_string(sign % kSignsPerFace + 1) + ")");
  }
  text += "\r\n";
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const std::string code = std::to_string(row + 1);
    text += code;
    text += ',';
    appendCsvCell(text, rows[row].main);
    text += ',';  // the period: the default
    for (const FaceSign& sign : signs) {
      text += ',';
      if (sign.kind != SignKind::Hidden) text += code;
    }
    text += "\r\n";
  }
  out.assign(text.begin(), text.end());
}

}  // namespace rovenza

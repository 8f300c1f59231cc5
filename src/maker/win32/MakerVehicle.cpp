#include "maker/win32/MakerVehicle.h"

#include <vector>

#include "board/win32/NetworkQuestion.h"
#include "board/win32/OpenSave.h"
#include "layout/MemoryBoard.h"
#include "layout/MovedPaths.h"
#include "layout/win32/SystemFiles.h"
#include "maker/VehiclePictures.h"
#include "maker/win32/MakerCommands.h"
#include "maker/win32/MakerControls.h"
#include "maker/win32/MakerOutput.h"
#include "state/win32/AppState.h"
#include "vehicle/win32/VehicleOpen.h"

namespace rovenza {

namespace {

// Says that a path the vehicle names may not be opened; false.
bool refused(const std::string& path) {
  makerMessage("「" + path + "」は開かないことにした場所にあるため、車両の画像を作成しませんでした。");
  return false;
}

bool vehicleError(const VehicleError& error) {
  makerMessage(vehicleProblemText(error));
  return false;
}

// The vehicle's head and its signs, face by face, as their layouts give them,
// each picture where the board would look for it. False, said, when any of it
// cannot be read or may not be opened.
bool readVehicleSigns(const std::string& vehiclePath, VehicleHead& head, std::vector<FaceSign>& signs) {
  std::string refusedPath;
  VehicleError error = readVehicleHeadAsked(vehiclePath, head, refusedPath);
  if (error) return vehicleError(error);
  if (!refusedPath.empty()) return refused(refusedPath);
  for (VehicleFace& face : head.faces) {
    MemoryBoard board;
    error = readFaceLayout(systemFiles(), face, board);
    if (error) return vehicleError(error);
    std::vector<std::string> pictures;
    for (int sign = 0; sign < kSignsPerFace; ++sign) {
      if (face.kinds[sign] != SignKind::Hidden) pictures.push_back(board.record.signs[sign].picturePath);
    }
    const PathPermit picturePermit = askAboutNetworkPaths(face.layoutPath, pictures);
    for (int sign = 0; sign < kSignsPerFace; ++sign) {
      const SignPlace& place = board.places[sign];
      FaceSign shown{face.kinds[sign], place.width, place.height, board.record.signs[sign].picturePath};
      if (shown.kind != SignKind::Hidden && !shown.picturePath.empty()) {
        if (!picturePermit.allows(shown.picturePath)) return refused(shown.picturePath);
        shown.picturePath = findBesideLayoutFile(shown.picturePath, face.layoutPath, pathExists);
      }
      signs.push_back(std::move(shown));
    }
  }
  return true;
}

// What the outputs would replace, a line each; empty when nothing.
std::string replacedText(const std::vector<VehicleOutput>& outputs) {
  std::string text;
  for (const VehicleOutput& output : outputs) {
    if (output.kind == VehicleOutputKind::LedFolder) {
      const std::size_t frames = frameFilesIn(systemFiles(), output.path).size();
      if (frames > 0) text += "\r\n「" + output.path + "」のLEDのコマの画像" + std::to_string(frames) + "個";
    } else if (pathExists(output.path)) {
      text += "\r\n「" + output.path + "」";
    }
  }
  return text;
}

// Writes one output; false, said with what was written before it, when it
// could not be.
bool writeOutput(const VehicleOutput& output, SignDesign& design, const VehicleHead& head,
                 const std::vector<FaceSign>& signs, const std::string& writtenBefore) {
  design.width = output.width;
  design.height = output.height;
  SystemError error = 0;
  std::string failure;
  switch (output.kind) {
    case VehicleOutputKind::Strip:
      error = writeStripFile(design, output.path);
      break;
    case VehicleOutputKind::LedFolder: {
      // A folder the layout names that is not there yet is made.
      if (!pathExists(output.path) && !systemFiles().createFolder(output.path)) {
        error = systemFiles().lastError();
        break;
      }
      const FrameSetResult result = writeLedFolder(design, output.path);
      error = result.error;
      if (result.stage == FrameSetResult::Stage::Swapping) failure = frameSwapText(result);
      break;
    }
    case VehicleOutputKind::CodeTable: {
      std::vector<unsigned char> bytes;
      writeVehicleCodeTable(head, signs, design.rows, bytes);
      error = saveReplacing(systemFiles(), output.path,
                            [&bytes](const ByteSink& sink) { return sink(bytes.data(), bytes.size()); });
      break;
    }
  }
  if (error == 0) return true;
  if (failure.empty()) failure = "「" + output.path + "」を書き込めませんでした。";
  if (!writtenBefore.empty()) failure += "\r\nそれまでに作成したもの：" + writtenBefore;
  makerMessage(failure + systemErrorText(error), MB_ICONERROR);
  return false;
}

}  // namespace

void makeVehicleCommand() {
  const std::string path = showFileDialog(app.makerWindow, false, kVehicleFilter, "車両ファイルを開く");
  if (!path.empty()) makeVehiclePictures(path);
}

bool makeVehiclePictures(const std::string& vehiclePath) {
  return runMakerCommand([&vehiclePath] {
    SignDesign design = currentDesign();
    VehicleHead head;
    std::vector<FaceSign> signs;
    if (!readVehicleSigns(vehiclePath, head, signs)) return false;
    const VehiclePicturePlan plan = planVehiclePictures(signs, design.rows.size(), head.tablePath);
    if (plan.problem != VehiclePictureProblem::None) {
      makerMessage(vehiclePictureProblemText(plan));
      return false;
    }
    const std::string replaced = replacedText(plan.outputs);
    if (!replaced.empty() &&
        makerQuestion("次のものを、作成する画像とコード表に置き換えます。よろしいですか？\r\n" + replaced) != IDYES) {
      return false;
    }
    std::string written;
    for (const VehicleOutput& output : plan.outputs) {
      if (!writeOutput(output, design, head, signs, written)) return false;
      written += "\r\n「" + output.path + "」";
    }
    makerState().unwritten = false;
    makerMessage("車両の画像" + std::to_string(plan.outputs.size() - 1) + "個とコード表を作成しました。" + written,
                 MB_ICONINFORMATION);
    return true;
  });
}

}  // namespace rovenza

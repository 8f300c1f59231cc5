#include "vehicle/win32/VehicleOpen.h"

#include <memory>
#include <new>

#include "board/win32/LayoutFiles.h"
#include "board/win32/NetworkQuestion.h"
#include "board/win32/OpenSave.h"
#include "common/win32/WideText.h"
#include "layout/win32/SystemFiles.h"
#include "sign/win32/PixelDots.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppState.h"
#include "vehicle/win32/FaceWindows.h"
#include "vehicle/win32/Pages.h"

namespace rovenza {

const char kOpenVehicleItemText[] = "車両を開く(&V)...";
const char kVehicleErrorCaption[] = "車両ファイルのエラー";
const char kOpenVehicleTitle[] = "車両を開く";

const char kVehicleFilter[] = "車両ファイル(*.rvh)\0*.rvh\0";

namespace {

std::unique_ptr<Vehicle> current;

void sayProblem(const VehicleError& error) {
  const std::string text = vehicleProblemText(error);
  MessageBoxA(app.mainWindow, text.c_str(), kVehicleErrorCaption, MB_OK | MB_ICONERROR);
}

// Reads the whole vehicle (head, layouts' kinds, table); false after saying
// why not, or when the user would not let its paths reach another computer.
bool readVehicle(const std::string& path, Vehicle& vehicle) {
  std::string refused;
  VehicleError error = readVehicleHeadAsked(path, vehicle.head, refused);
  if (error) {
    sayProblem(error);
    return false;
  }
  // Refused: the vehicle cannot be read whole, so nothing of it opens.
  if (!refused.empty()) return false;
  error = openVehicleParts(systemFiles(), vehicle);
  if (error) {
    sayProblem(error);
    return false;
  }
  return true;
}

}  // namespace

VehicleError readVehicleHeadAsked(const std::string& path, VehicleHead& head, std::string& refused) {
  refused.clear();
  std::vector<unsigned char> bytes;
  VehicleError error = readWholeFile(systemFiles(), path, kMaxVehicleFileBytes, bytes);
  SystemTextCodec codec;
  if (!error) error = readVehicleHead(bytes.data(), bytes.size(), path, codec, head);
  if (error) return error;
  const std::vector<std::string> paths = vehiclePaths(head);
  const PathPermit permit = askAboutNetworkPaths(path, paths);
  for (const std::string& named : paths) {
    if (!permit.allows(named)) {
      refused = named;
      break;
    }
  }
  return error;
}

bool openVehicleFile(const std::string& path) {
  if (!rollBusyGuard()) return false;
  std::unique_ptr<Vehicle> vehicle(new (std::nothrow) Vehicle);
  if (!vehicle) return false;
  try {
    if (!readVehicle(path, *vehicle)) return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  forgetVehicle();
  const std::vector<VehicleFace>& faces = vehicle->head.faces;
  current = std::move(vehicle);
  // Each sign draws its frames as the vehicle says before any is shown.
  for (int sign = 0; sign < kAllSigns; ++sign) {
    const std::size_t face = static_cast<std::size_t>(faceOfSign(sign));
    setPixelDots(sign, face < faces.size() && faces[face].pixelDots[signInFace(sign)]);
  }
  openFaceLayoutFile(faces[0].layoutPath, 0);
  for (std::size_t face = 1; face < faces.size(); ++face) {
    const int index = static_cast<int>(face);
    if (makeFaceWindow(index, wideFrom(CP_UTF8, faces[face].name))) {
      openFaceLayoutFile(faces[face].layoutPath, index);
    }
  }
  placeFaceWindows();
  return true;
}

bool openVehicleCommand() {
  if (!rollBusyGuard()) return false;
  app.panelRef.enable(0);
  const std::string path = showFileDialog(app.mainWindow, false, kVehicleFilter, kOpenVehicleTitle);
  const bool opened = !path.empty() && openVehicleFile(path);
  app.panelRef.enable(1);
  app.panelRef.focus();
  return opened;
}

const Vehicle* openedVehicle() { return current.get(); }

void forgetVehicle() {
  stopPages();
  closeFaceWindows();
  for (int sign = kSignCount; sign < kAllSigns; ++sign) setPixelDots(sign, false);
  current.reset();
}

}  // namespace rovenza

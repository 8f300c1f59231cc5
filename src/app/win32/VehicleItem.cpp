#include "app/win32/VehicleItem.h"

#include <windows.h>

#include "app/SoundPlaces.h"
#include "app/win32/Commands.h"
#include "app/win32/Settings.h"
#include "board/win32/LayoutFiles.h"
#include "board/win32/OpenSave.h"
#include "layout/CommandLine.h"
#include "layout/FileNames.h"
#include "vehicle/win32/FaceWindows.h"
#include "vehicle/win32/SettingBox.h"
#include "vehicle/win32/VehicleOpen.h"

namespace rovenza {

namespace {

void onLayoutOpening() {
  forgetVehicle();
  refreshSettingBox();
}

void showBox() {
  settingBoxCommand();
  refreshSettingBox();
}

}  // namespace

void startVehicles() {
  setLayoutOpeningListener(onLayoutOpening);
  const std::string program = programFilePath();
  if (!program.empty()) setFacePlacesFile(facePlacesPath(program));
}

void endVehicles() { forgetVehicle(); }

void openVehicleItem() {
  if (openVehicleCommand()) showBox();
}

void openVehicleAndBox(const std::string& path) {
  if (openVehicleFile(path)) showBox();
}

void openCommandLine() {
  const std::string path = commandLineFilePath(commandLineArguments(GetCommandLineA()));
  if (isVehicleFileName(path)) {
    openVehicleAndBox(path);
  } else {
    openCommandLineFile();
  }
}

}  // namespace rovenza

#include "app/SoundPlaces.h"

#include "common/Cp932.h"
#include "layout/FileNames.h"

namespace rovenza {

std::string soundSwitchPath(std::string_view programPath) { return replaceLastFour(programPath, "-sound.ini"); }

std::string effectsSwitchPath(std::string_view programPath) { return replaceLastFour(programPath, "-effects.ini"); }

std::string facePlacesPath(std::string_view programPath) { return replaceLastFour(programPath, "-faces.ini"); }

std::string soundsFolderBeside(std::string_view programPath) {
  const std::string folder = folderOf(programPath);
  return folder == "." ? std::string("sounds") : folder + "sounds";
}

}  // namespace rovenza

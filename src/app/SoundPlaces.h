#pragma once
// Where the program's switches (the sound, the signs' look) and the user's
// own sounds live, beside the program.
#include <string>
#include <string_view>

namespace rovenza {

// The INI file that keeps the sound switch: the program's path with
// "-sound.ini" for its last four characters ("C:\Rovenza\rovenza.exe" ->
// "C:\Rovenza\rovenza-sound.ini"). The settings file (".ini") is another one.
std::string soundSwitchPath(std::string_view programPath);

// The folder of the user's own sounds: "sounds" in the program's folder.
std::string soundsFolderBeside(std::string_view programPath);

// The INI section and key of the switch; "1" plays, "0" does not.
constexpr char kSoundSection[] = "Sound";
constexpr char kSoundKey[] = "Play";

// The INI file that keeps the signs' look: the program's path with
// "-effects.ini" for its last four characters.
std::string effectsSwitchPath(std::string_view programPath);

// Its section; "Show" is "1" for the look, "0" (or nothing) for the plain
// signs; "DotPitch" the side of an LED dot's cell in pixels.
constexpr char kEffectsSection[] = "Effects";
constexpr char kEffectsKey[] = "Show";
constexpr char kDotPitchKey[] = "DotPitch";

// The INI file that keeps where a vehicle's further faces stood: the
// program's path with "-faces.ini" for its last four characters.
std::string facePlacesPath(std::string_view programPath);

}  // namespace rovenza

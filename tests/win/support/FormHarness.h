#pragma once
// Helpers for the layout form's window tests: open the form as the Settings
// command does and act inside its modal loop, answer message boxes and file
// dialogs, read the clipboard's bitmap.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rovenza::test {

using FormStep = std::function<void()>;

// Runs the Settings command and, from inside the form's modal loop, the
// steps one after the other, each on its own timer tick, so that the loop
// (and its keyboard handling) takes whatever a step posted before the next
// step runs. Closes the form after the last step if it is still open.
// Returns how many steps ran (0 when the form did not open).
std::size_t runFormSteps(const std::vector<FormStep>& steps);

// The same through runModalWindow with the key "Set" and the main window as
// owner; returns the code the form ended its loop with, and in `ran` how
// many steps ran.
std::int32_t runFormModal(const std::vector<FormStep>& steps, std::size_t* ran);

// The control `id` of the open form.
HWND formControl(int id);

// Presses a button as a user would: only when it is enabled.
bool clickButton(HWND button);

// Clicks an arrow of an up-down control with the mouse: the control tells
// the form, then moves its position.
void pressArrow(int upDownId, bool up);

// Selects an item of a combo box as a user would: the selection changes and
// the form is told.
void chooseComboItem(int comboId, int index);

// What a message box showed, and which button answered it.
struct MessageBoxSeen {
  bool seen = false;
  std::string text;
  UINT icon = 0;
};

// From now on, answers the first message box titled `caption` (any message
// box when `caption` is empty) that opens on this thread by pressing `button`
// (IDOK, IDYES, IDNO), and records it in `seen`. Disarmed by the next call or
// by disarmMessageBoxes.
void answerMessageBox(const std::string& caption, int button, MessageBoxSeen* seen);
void disarmMessageBoxes();

struct DialogSeen {
  bool seen = false;
  bool folder = false;  // a folder browser rather than a file dialog
  std::string title;
  std::string texts;  // the texts of its static controls, one after the other
  std::vector<std::string> fileTypes;  // a file dialog's list of file types, in order
};

// From now on, answers the first file or folder dialog owned by `owner`:
// a file dialog gets `path` typed into its name field and OK (or Cancel when
// `path` is empty); a folder dialog gets `path` selected and OK (or Cancel).
void answerFileDialog(HWND owner, const std::string& path, DialogSeen* seen);

// The clipboard's bitmap as rows of 0x00RRGGBB pixels, top row first; empty
// when it holds no bitmap. `width` and `height` receive the bitmap's size.
std::vector<std::uint32_t> clipboardBitmap(HWND owner, int* width, int* height);

// Whether Wine runs this program.
bool runningUnderWine();

}  // namespace rovenza::test

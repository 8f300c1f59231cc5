#pragma once
// The sign maker's controls (Unicode ones: the table's text is kept whole)
// and what the window keeps while it is open; reading the chosen lettering,
// size and colours back from the controls.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/Scoped.h"
#include "maker/SignTable.h"
#include "maker/win32/MakerOutput.h"
#include "maker/win32/MakerRender.h"
#include "record/Picture.h"

namespace rovenza {

// A frame drawn lately, with what it was drawn from.
struct DrawnFrame {
  std::string key;
  Picture picture;
};

struct MakerState {
  std::vector<SignRow> rows;
  int selected = -1;
  bool unwritten = false;  // the table changed since it was last read or written
  ScopedFont font;
  std::unique_ptr<FrameRenderer> renderer;
  bool fillingEdits = false;
  std::wstring shownText;         // the list's text given last
  std::vector<DrawnFrame> drawn;  // the previews' frames, so that a letter typed draws one frame again
  std::size_t nextDrawn = 0;      // the entry replaced next once all are taken
};

MakerState& makerState();

// Makes the window's controls, fills its lists and shows the chosen sign's size.
void createMakerControls(HWND window);

HWND makerItem(int id);
// An edit's text as UTF-8.
std::string makerItemText(int id);
void setMakerItemText(int id, const std::string& utf8);
bool makerChecked(int id);
int chosenSign();
int makerNumber(int id);
// Everything a sign is made from as the controls give it; the rows left
// out when they are not wanted.
SignDesign currentDesign(bool withRows = true);
void showSignSize();

// A message box of the maker's own (code page 932 text).
void makerMessage(const std::string& text, UINT icon = MB_ICONEXCLAMATION);
int makerQuestion(const std::string& text);

}  // namespace rovenza

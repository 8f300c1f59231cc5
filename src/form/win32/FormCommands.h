#pragma once
// What the layout form's controls do.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "form/ArrowRule.h"

namespace rovenza {

// An arrow of one of the fourteen up-downs was pressed; the control moves
// itself by the step once this returns.
void arrowPressed(const FormUpDown& upDown, const NMUPDOWN& notification);

void browseBackground();
void deleteBackground();
void changeSignKind(int sign);
void browseSignPicture(int sign);
void deleteSignPicture(int sign);

// What the browse buttons do once a file or folder is chosen; a file or
// folder dropped on the main window does the same.
void useBackgroundPicture(const std::string& path);     // the background, repainted
void useStripPicture(int sign, const std::string& path);  // a roll-film sign's strip, at its start
void useFrameFolder(int sign, const std::string& folder); // an LED sign's folder, frame 0

// "閉じる(&C)": ends the form with code 1.
void closeLayoutForm();
// Ends the form: releases its brushes and leaves the modal loop with `code`.
void endLayoutForm(int code);

void releaseFormBrushes();

}  // namespace rovenza

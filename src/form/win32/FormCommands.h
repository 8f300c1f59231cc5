#pragma once
// What the layout form's controls do.
#include <windows.h>

#include <commctrl.h>

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

// "閉じる(&C)": ends the form with code 1.
void closeLayoutForm();
// Ends the form: releases its brushes and leaves the modal loop with `code`.
void endLayoutForm(int code);

void releaseFormBrushes();

}  // namespace rovenza

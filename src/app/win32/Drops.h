#pragma once
// Files and folders dropped on the main window.
#include <windows.h>
// After windows.h.
#include <shellapi.h>

namespace rovenza {

// Handles WM_DROPFILES and releases the drop. Only the first name counts: a
// layout file opens as the command line opens it; a picture dropped on a
// roll-film sign's opening becomes its strip, a folder dropped on an LED
// sign's opening its frame folder, a picture dropped elsewhere the
// background, each as the layout form would set it. Anything else, and
// anything while a sign rolls, is ignored without a word. A name too long
// to be a path, or one that has gone, gets the read error box.
void dropFiles(HDROP drop);

}  // namespace rovenza

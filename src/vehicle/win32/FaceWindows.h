#pragma once
// A vehicle's further faces (2 to 4): each a top-level window of its own
// class, owned by the main window and titled with the face's name, showing
// its board as the main window shows its own (the same signs' windows,
// drawing, look and sound). Closing one hides it; the vehicle's next opening
// or the setting box shows it again. Where each stood is kept in a file of
// its own beside the program.
#include <windows.h>

#include <string>
#include <vector>

namespace rovenza {

// The INI file that keeps the faces' places (set once at start-up).
void setFacePlacesFile(const std::string& path);

// Makes face `face`'s window (hidden) with its two signs' windows, titled
// `title`; false when it cannot be made (nothing of it is left).
bool makeFaceWindow(int face, const std::wstring& title);

// Puts the open faces' windows where they were kept, or beside the main
// window and the panel where nothing was kept, and shows them.
void placeFaceWindows();

// Shows every open face's window again (restored, not activated).
void showFaceWindows();

// Destroys every face's window: its signs stop, their pictures go, and the
// face's record is empty again.
void closeFaceWindows();

// Whether a vehicle's further face is open.
bool anyFaceOpen();

}  // namespace rovenza

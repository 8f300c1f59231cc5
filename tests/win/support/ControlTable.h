#pragma once
// What a window built from a table of control rows cannot get wrong by the
// table alone, checked on the live window, and a snapshot of its controls
// kept in the source tree to show any change to the table at a glance.
#include <windows.h>

#include <string>
#include <vector>

namespace rovenza::test {

// The window's child controls in creation order (the z-order from the top),
// without the tooltip windows the toolkit adds.
std::vector<HWND> childControls(HWND parent);

// Ids unique; every control inside its parent's client area; every up-down
// the buddy of the control created just before it, standing on that
// control's right end at its height; Tab visits the tab stops in creation
// order; every control but an up-down has a font. Reported as test failures.
void expectWellBuiltControls(HWND parent);

// Compares the controls of `parent` (id, class, styles, place, size, text;
// no text for a number field, which shows live values; a combo box's dropped
// list too) with tests/win/snapshots/<name>.txt. With the environment
// variable ROVENZA_WRITE_SNAPSHOTS set, writes the file instead.
void expectControlsMatchSnapshot(HWND parent, const std::string& name);

}  // namespace rovenza::test

#include "layout/win32/OpenSave.h"

namespace rovenza {

void openLayoutCommand() {}
void saveLayoutCommand() {}
void openCommandLineFile() {}

}  // namespace rovenza

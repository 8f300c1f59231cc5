#pragma once
// File > Open, File > Save As and the layout file named on the command line.

namespace rovenza {

void openLayoutCommand();
void saveLayoutCommand();
void openCommandLineFile();

}  // namespace rovenza

#pragma once
// The question asked before the paths a file names reach other computers.
#include <string>
#include <vector>

#include "layout/PathReach.h"

namespace rovenza {

// What the paths named inside `file` may open. When some of `paths` reach
// hosts of the network other than the file's own, asks once, in a box owned
// by the main window, naming those hosts: Yes lets the paths reach them, No
// (and Enter) keeps them refused. Nothing is asked, and nothing opened, when
// no path reaches another host. Devices are never allowed.
PathPermit askAboutNetworkPaths(const std::string& file, const std::vector<std::string>& paths);

}  // namespace rovenza

#pragma once
// Where a path named inside a file leads: a file on this computer, a file
// on another computer of the network (which one), or a device rather than a
// file. A file someone else wrote may name pictures on any host; opening one
// connects to that host with the user's Windows credentials, so the program
// asks before it touches the first of them.
#include <string>
#include <string_view>
#include <vector>

namespace rovenza {

enum class PathReach {
  Local,    // this computer (a drive, a rooted or a relative path)
  Network,  // "\\host\...", "//host/...", "\\?\UNC\host\..."
  Device,   // "\\.\...", "\\?\..." other than UNC, "\??\...", a reserved
            // device name such as "COM1" or "NUL", or a network path without
            // a host: never a file to open
};

struct PathPlace {
  PathReach reach = PathReach::Local;
  std::string host;  // the computer a network path reaches, as written
};

// Where `path` leads. "\" and "/" both separate; names are walked as whole
// code page 932 characters; prefixes and device names match in any case.
PathPlace placeOfPath(std::string_view path);

// The paths a file names that the program may open: every path on this
// computer, and network paths on the file's own host (the user chose to open
// the file from there) or on a host the user agreed to. Never a device.
class PathPermit {
 public:
  // For the paths inside `file`, before any host was agreed to.
  explicit PathPermit(std::string_view file = {});

  bool allows(std::string_view path) const;

  // The hosts that network paths among `paths` reach and that this permit
  // does not allow yet, each once (hosts compare without regard to case), in
  // the order they are first named.
  std::vector<std::string> hostsToAsk(const std::vector<std::string>& paths) const;

  // Allows network paths on `hosts` as well.
  void agree(const std::vector<std::string>& hosts);

 private:
  bool allowsHost(std::string_view host) const;

  std::vector<std::string> hosts_;
};

// The question asked before the paths of a layout file reach `hosts` (one or
// more), each named with its leading "\\".
std::string networkQuestionText(const std::vector<std::string>& hosts);

}  // namespace rovenza

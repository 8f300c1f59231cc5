#include "layout/PathReach.h"

#include <algorithm>

#include "common/Cp932.h"

namespace rovenza {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Whether two texts are equal with ASCII letters compared regardless of case.
bool sameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper(x) == upper(y); });
}

// Where the component starting at `pos` ends: at the next separator or the
// end of the path, walking whole characters (a trail byte 5C separates
// nothing).
std::size_t componentEnd(std::string_view path, std::size_t pos) {
  while (pos < path.size() && !isSeparator(path[pos])) pos += charLength(path, pos);
  return std::min(pos, path.size());
}

// The network path whose host name starts at `hostStart`; one without a
// host name opens nothing.
PathPlace networkPlace(std::string_view path, std::size_t hostStart) {
  if (hostStart >= path.size()) return {PathReach::Device, {}};
  const std::string_view host = path.substr(hostStart, componentEnd(path, hostStart) - hostStart);
  if (host.empty()) return {PathReach::Device, {}};
  return {PathReach::Network, std::string(host)};
}

// "\\?\", "\\.\" (or the bare "\\?" and "\\."), with either separator, and
// "\??\": paths the system hands to its device namespace as they are.
bool hasDevicePrefix(std::string_view path) {
  if (path.size() < 3 || !isSeparator(path[0])) return false;
  if (isSeparator(path[1]) && (path[2] == '?' || path[2] == '.')) return path.size() == 3 || isSeparator(path[3]);
  return path.size() >= 4 && path[1] == '?' && path[2] == '?' && isSeparator(path[3]);
}

// Whether the last component of `path` is a name the system keeps for a
// device in every folder ("NUL", "COM1.bmp", "con .txt").
bool namesReservedDevice(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < path.size(); pos += charLength(path, pos)) {
    if (isSeparator(path[pos])) start = pos + 1;
  }
  std::string_view name = path.substr(std::min(start, path.size()));
  name = name.substr(0, std::min(name.find('.'), name.find(':')));
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  for (const std::string_view reserved : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (sameText(name, reserved)) return true;
  }
  return name.size() == 4 && (sameText(name.substr(0, 3), "COM") || sameText(name.substr(0, 3), "LPT")) &&
         name[3] >= '1' && name[3] <= '9';
}

}  // namespace

PathPlace placeOfPath(std::string_view path) {
  if (hasDevicePrefix(path)) {
    // "\\?\UNC\host\share" reaches a host like "\\host\share".
    constexpr std::size_t kPrefix = 4;
    constexpr std::string_view kUnc = "UNC";
    if (path.size() > kPrefix + kUnc.size() && sameText(path.substr(kPrefix, kUnc.size()), kUnc) &&
        isSeparator(path[kPrefix + kUnc.size()])) {
      return networkPlace(path, kPrefix + kUnc.size() + 1);
    }
    return {PathReach::Device, {}};
  }
  if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) return networkPlace(path, 2);
  if (namesReservedDevice(path)) return {PathReach::Device, {}};
  return {PathReach::Local, {}};
}

PathPermit::PathPermit(std::string_view file) {
  const PathPlace place = placeOfPath(file);
  if (place.reach == PathReach::Network) hosts_.push_back(place.host);
}

bool PathPermit::allowsHost(std::string_view host) const {
  return std::any_of(hosts_.begin(), hosts_.end(), [&](const std::string& allowed) { return sameText(allowed, host); });
}

bool PathPermit::allows(std::string_view path) const {
  const PathPlace place = placeOfPath(path);
  switch (place.reach) {
    case PathReach::Local:
      return true;
    case PathReach::Network:
      return allowsHost(place.host);
    case PathReach::Device:
      break;
  }
  return false;
}

std::vector<std::string> PathPermit::hostsToAsk(const std::vector<std::string>& paths) const {
  std::vector<std::string> hosts;
  for (const std::string& path : paths) {
    const PathPlace place = placeOfPath(path);
    if (place.reach != PathReach::Network || allowsHost(place.host)) continue;
    const bool named = std::any_of(hosts.begin(), hosts.end(), [&](const std::string& host) { return sameText(host, place.host); });
    if (!named) hosts.push_back(place.host);
  }
  return hosts;
}

void PathPermit::agree(const std::vector<std::string>& hosts) { hosts_.insert(hosts_.end(), hosts.begin(), hosts.end()); }

std::string networkQuestionText(const std::vector<std::string>& hosts) {
  std::string named;
  for (const std::string& host : hosts) {
    if (!named.empty()) named += ", ";
    named += "\\\\" + host;
  }
  return "このレイアウトはネットワーク上のファイルを開こうとしています (" + named + ")。開きますか？";
}

}  // namespace rovenza

#include "layout/MovedPaths.h"

#include "common/Cp932.h"
#include "layout/FileNames.h"

namespace rovenza {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// Byte length of the drive part of `path`: "C:" with its separator, a
// "\\server\share\" root, or one leading separator; 0 for a relative path.
std::size_t driveLength(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':' && !isLeadByte(static_cast<unsigned char>(path[0]))) {
    return (path.size() >= 3 && isSeparator(path[2])) ? 3 : 2;
  }
  if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
    // Server and share names follow; the root ends after the separator that
    // closes the share name.
    int separators = 0;
    for (std::size_t pos = 2; pos < path.size(); pos += charLength(path, pos)) {
      if (isSeparator(path[pos]) && ++separators == 2) return pos + 1;
    }
    return path.size();
  }
  if (!path.empty() && isSeparator(path[0])) return 1;
  return 0;
}

// Adds one component to those before it: ".." takes the last one away (or
// nothing at the root), and any other name made of dots and spaces alone
// (".", "...", ". ") names no file of its own and is left out.
void addComponent(std::vector<std::string_view>& parts, std::string_view part) {
  if (part.empty()) return;
  if (part == "..") {
    if (!parts.empty()) parts.pop_back();
    return;
  }
  if (part.find_first_not_of(". ") == std::string_view::npos) return;
  parts.push_back(part);
}

// The components of `path` below its drive, in order, with ".." resolved
// and without empty ones: none of them climbs out of a folder.
std::vector<std::string_view> componentsOf(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = driveLength(path);
  std::size_t pos = start;
  while (pos < path.size()) {
    if (isSeparator(path[pos])) {
      addComponent(parts, path.substr(start, pos - start));
      ++pos;
      start = pos;
      continue;
    }
    pos += charLength(path, pos);
  }
  if (pos > start) addComponent(parts, path.substr(start));
  return parts;
}

}  // namespace

std::vector<std::string> pathsBesideLayoutFile(std::string_view stored, std::string_view layoutPath) {
  std::vector<std::string> places;
  const std::vector<std::string_view> parts = componentsOf(stored);
  if (parts.empty()) return places;
  std::string folder = folderOf(layoutPath);
  if (folder == ".") {
    folder.clear();
  }
  for (std::size_t count = 1; count <= parts.size(); ++count) {
    std::string place = folder;
    for (std::size_t index = parts.size() - count; index < parts.size(); ++index) {
      place += parts[index];
      if (index + 1 < parts.size()) place += '\\';
    }
    places.push_back(std::move(place));
  }
  return places;
}

std::string findBesideLayoutFile(const std::string& stored, std::string_view layoutPath,
                                 const std::function<bool(const std::string&)>& exists) {
  if (stored.empty() || exists(stored)) return stored;
  for (const std::string& place : pathsBesideLayoutFile(stored, layoutPath)) {
    if (exists(place)) return place;
  }
  return stored;
}

}  // namespace rovenza

#include "layout/CommandLine.h"

#include "common/Cp932.h"

namespace rovenza {

namespace {

// Drops the first and the last byte (a lone byte goes entirely).
std::string withoutOuterBytes(std::string_view text) {
  if (text.size() < 2) return std::string();
  return std::string(text.substr(1, text.size() - 2));
}

}  // namespace

std::string_view commandLineArguments(std::string_view commandLine) {
  bool quoted = false;
  for (std::size_t pos = 0; pos < commandLine.size(); pos += charLength(commandLine, pos)) {
    const char c = commandLine[pos];
    if (c == ' ' && !quoted) return commandLine.substr(pos + 1);
    if (c == '"') quoted = !quoted;
  }
  return std::string_view();
}

std::string commandLineFilePath(std::string_view arguments) {
  if (arguments.empty()) return std::string();
  std::string path(arguments);
  if (path.front() == '"') path = withoutOuterBytes(path);
  path = trimSpaces(path);
  if (!path.empty() && path.front() == '"') path = withoutOuterBytes(path);
  return path;
}

}  // namespace rovenza

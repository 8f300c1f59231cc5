#pragma once
// The layout file named on the program's command line.
#include <string>
#include <string_view>

namespace rovenza {

// The arguments part of a whole command line: everything after the first
// blank that is not inside double quotes (only that one blank is skipped),
// or the empty text when there is no such blank.
std::string_view commandLineArguments(std::string_view commandLine);

// The path to open from the arguments: a leading double quote takes the
// first and the last byte away, blanks (ASCII and ideographic) are trimmed,
// and a double quote that then leads takes the first and last byte away
// again. The whole argument text is one path; empty when there is none.
std::string commandLineFilePath(std::string_view arguments);

}  // namespace rovenza

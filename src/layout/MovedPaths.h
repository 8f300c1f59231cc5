#pragma once
// Pictures and frame folders of a board that has been moved: a layout file
// holds absolute paths, so a board copied to another place (the layout file
// with its pictures beside it) names files that are not there. They are
// looked for again relative to the layout file's own folder.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rovenza {

// The places where a picture or folder stored as `stored` is looked for
// beside the layout file `layoutPath`, in order: the last component of the
// stored path in the layout file's folder, then its last two components,
// and so on up to the whole path below its drive ("C:\", "\\server\share\"
// or a leading "\"). Components are split at "\" and "/", walking whole
// characters. Empty components (doubled separators) are skipped, ".." takes
// the component before it away and names of dots and spaces alone are left
// out, so every place lies inside the layout file's folder.
std::vector<std::string> pathsBesideLayoutFile(std::string_view stored, std::string_view layoutPath);

// The path a layout takes for `stored`: the stored path itself when it is
// empty or `exists` says it exists, else the first of the places above
// that exists, else the stored path unchanged.
std::string findBesideLayoutFile(const std::string& stored, std::string_view layoutPath,
                                 const std::function<bool(const std::string&)>& exists);

}  // namespace rovenza

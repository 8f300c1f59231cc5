#include "maker/Saving.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "layout/LayoutFile.h"

namespace rovenza {

SystemError saveReplacing(FileSystem& files, const std::string& path,
                          const std::function<bool(const ByteSink&)>& produce) {
  LayoutFile file(files);
  if (!file.openReplacing(path)) return file.lastError() ? file.lastError() : kErrorAccessDenied;
  SystemError error = 0;
  const ByteSink sink = [&file, &error](const unsigned char* data, std::size_t size) {
    while (size > 0) {
      const auto chunk = static_cast<std::uint32_t>(std::min<std::size_t>(size, 1u << 30));
      if (!file.writeBlock(data, chunk)) {
        error = file.lastError() ? file.lastError() : kErrorDiskFull;
        return false;
      }
      data += chunk;
      size -= chunk;
    }
    return true;
  };
  if (!produce(sink)) {
    file.close();
    return error ? error : kErrorInvalidData;
  }
  if (!file.commit()) return file.lastError() ? file.lastError() : kErrorAccessDenied;
  return 0;
}

namespace {

const char* const kPictureExtensions[] = {"bmp", "dib", "png", "gif", "jpg", "jpeg", "jpe", "tif", "tiff"};
constexpr char kStagingName[] = "~rovenza-new";
constexpr int kStagingTries = 100;

std::string withoutTrailingSeparator(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

std::string inFolder(const std::string& folder, const std::string& name) { return folder + '\\' + name; }

// A new empty folder inside `folder`; empty when none could be made.
std::string makeStagingFolder(FileSystem& files, const std::string& folder) {
  for (int attempt = 1; attempt <= kStagingTries; ++attempt) {
    const std::string path = inFolder(folder, kStagingName + (attempt == 1 ? std::string() : std::to_string(attempt)));
    if (files.createFolder(path)) return path;
    if (files.lastError() != kErrorAlreadyExists) break;
  }
  return std::string();
}

// "a〜b（n個）" or "a" for the names.
std::string namesText(const std::vector<std::string>& names) {
  if (names.size() == 1) return names.front();
  return names.front() + "〜" + names.back() + "（" + std::to_string(names.size()) + "個）";
}

}  // namespace

bool isFrameFileName(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == 0 || dot == std::string_view::npos) return false;
  for (std::size_t i = 0; i < dot; ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
  }
  std::string extension(name.substr(dot + 1));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return std::any_of(std::begin(kPictureExtensions), std::end(kPictureExtensions),
                     [&extension](const char* known) { return extension == known; });
}

std::vector<std::string> frameFilesIn(FileSystem& files, const std::string& folder) {
  std::vector<std::string> names;
  files.listFiles(withoutTrailingSeparator(folder), names);
  names.erase(std::remove_if(names.begin(), names.end(), [](const std::string& name) { return !isFrameFileName(name); }),
              names.end());
  std::sort(names.begin(), names.end());
  return names;
}

FrameSetResult writeFrameSet(FileSystem& files, const std::string& folder, std::size_t frames,
                             const std::function<bool(std::size_t frame, const ByteSink&)>& produce) {
  FrameSetResult result;
  result.folder = withoutTrailingSeparator(folder);
  result.stage = FrameSetResult::Stage::Writing;
  result.staging = makeStagingFolder(files, result.folder);
  if (result.staging.empty()) {
    result.error = files.lastError() ? files.lastError() : kErrorAccessDenied;
    return result;
  }
  std::vector<std::string> written;
  // What was written aside goes again when the set cannot be finished, a
  // failure to get memory included.
  const auto discard = [&files, &result, &written] {
    for (const std::string& name : written) files.remove(inFolder(result.staging, name));
    files.removeFolder(result.staging);
  };
  try {
    written.reserve(frames);
    for (std::size_t frame = 0; frame < frames && result.error == 0; ++frame) {
      const std::string name = ledFrameName(frame, frames);
      result.error = saveReplacing(files, inFolder(result.staging, name),
                                   [&produce, frame](const ByteSink& sink) { return produce(frame, sink); });
      if (result.error == 0) written.push_back(name);
    }
    // Everything the swap needs is had before it begins.
    if (result.error == 0) {
      result.oldLeft = frameFilesIn(files, result.folder);
      result.newPlaced.reserve(written.size());
    }
  } catch (...) {
    discard();
    throw;
  }
  if (result.error != 0) {
    discard();
    return result;
  }

  result.stage = FrameSetResult::Stage::Swapping;
  result.newLeft = std::move(written);
  while (!result.oldLeft.empty()) {
    if (!files.remove(inFolder(result.folder, result.oldLeft.front()))) {
      result.error = files.lastError() ? files.lastError() : kErrorAccessDenied;
      return result;
    }
    result.oldLeft.erase(result.oldLeft.begin());
  }
  while (!result.newLeft.empty()) {
    const std::string& name = result.newLeft.front();
    if (!files.replace(inFolder(result.staging, name), inFolder(result.folder, name))) {
      result.error = files.lastError() ? files.lastError() : kErrorAccessDenied;
      return result;
    }
    result.newPlaced.push_back(name);
    result.newLeft.erase(result.newLeft.begin());
  }
  // An empty folder left behind holds no frame: the set is in place.
  files.removeFolder(result.staging);
  result.stage = FrameSetResult::Stage::Done;
  return result;
}

std::string frameSwapText(const FrameSetResult& result) {
  std::string text = "LEDのコマを入れ替える途中で止まりました。";
  std::string here;
  if (!result.oldLeft.empty()) here += "古いコマ " + namesText(result.oldLeft);
  if (!result.newPlaced.empty()) here += std::string(here.empty() ? "" : "、") + "新しいコマ " + namesText(result.newPlaced);
  text += "\r\n「" + result.folder + "」には" + (here.empty() ? std::string("コマがありません") : here + " があります") + "。";
  if (!result.newLeft.empty()) {
    text += "\r\n「" + result.staging + "」に新しいコマ " + namesText(result.newLeft) + " があります。";
  }
  return text;
}

}  // namespace rovenza

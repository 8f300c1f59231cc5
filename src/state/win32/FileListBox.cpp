#include "state/win32/FileListBox.h"

#include <algorithm>
#include <vector>

namespace rovenza {

namespace {

constexpr UINT kFilesOnly = 0;  // DDL_READWRITE: plain files, no folders, no drives

std::string currentFolder() {
  const DWORD length = GetCurrentDirectoryA(0, nullptr);
  if (length == 0) return {};
  std::vector<char> buffer(length + 1, '\0');
  const DWORD written = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
  if (written == 0 || written >= buffer.size()) return {};
  return std::string(buffer.data(), written);
}

}  // namespace

void FileListBox::clear() const {
  if (window_) SendMessageA(window_, LB_RESETCONTENT, 0, 0);
}

bool FileListBox::addFiles(const std::string& pattern) const {
  if (!window_) return false;
  // The directory fill writes the name part of the pattern back into the
  // buffer, so it gets room for a whole path.
  std::vector<char> patternBuffer(std::max<std::size_t>(pattern.size() + 1, MAX_PATH + 1), '\0');
  std::copy(pattern.begin(), pattern.end(), patternBuffer.begin());
  const std::string keptFolder = currentFolder();
  // The list is never shown: it need not redraw or rescale its scroll bar
  // after each of a thousand names.
  SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  const int listed = DlgDirListA(GetParent(window_), patternBuffer.data(), GetDlgCtrlID(window_), 0, kFilesOnly);
  SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
  if (!keptFolder.empty()) SetCurrentDirectoryA(keptFolder.c_str());
  return listed != 0;
}

int FileListBox::count() const {
  if (!window_) return 0;
  const LRESULT items = SendMessageA(window_, LB_GETCOUNT, 0, 0);
  return items == LB_ERR || items < 0 ? 0 : static_cast<int>(items);
}

std::string FileListBox::item(int position) const {
  if (!window_ || position < 0 || position >= count()) return {};
  const LRESULT length = SendMessageA(window_, LB_GETTEXTLEN, static_cast<WPARAM>(position), 0);
  if (length == LB_ERR || length < 0) return {};
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(window_, LB_GETTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text.data()));
  if (copied == LB_ERR || copied < 0) return {};
  return std::string(text.data(), std::min<std::size_t>(static_cast<std::size_t>(copied), length));
}

}  // namespace rovenza

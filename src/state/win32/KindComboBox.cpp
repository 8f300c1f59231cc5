#include "state/win32/KindComboBox.h"

#include <vector>

namespace rovenza {

void KindComboBox::clear() const {
  if (combo_) SendMessageA(combo_, CB_RESETCONTENT, 0, 0);
}

void KindComboBox::add(const char* text) const {
  if (combo_) SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void KindComboBox::select(int index) const {
  if (combo_) SendMessageA(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int KindComboBox::selected() const {
  if (!combo_) return -1;
  const LRESULT index = SendMessageA(combo_, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

std::string KindComboBox::itemText(int index) const {
  if (!combo_) return std::string();
  const LRESULT length = SendMessageA(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR || length < 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(combo_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  return std::string(buffer.data());
}

}  // namespace rovenza

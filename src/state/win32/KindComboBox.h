#pragma once
// A combo box of sign kinds in the layout form: one combo box handle, not owned.
#include <windows.h>

#include <string>

namespace rovenza {

class KindComboBox {
 public:
  void setHandle(HWND combo) { combo_ = combo; }
  HWND handle() const { return combo_; }

  void clear() const;
  void add(const char* text) const;
  // Selects the item at `index`; an index with no item leaves nothing selected.
  void select(int index) const;
  // The selected item's index, -1 when nothing is selected.
  int selected() const;
  std::string itemText(int index) const;

 private:
  HWND combo_ = nullptr;
};

}  // namespace rovenza

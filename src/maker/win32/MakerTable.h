#pragma once
// The sign maker's table: the rows as a virtual list view (Unicode), the
// selected row's fields, adding, removing and moving rows.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "maker/SignTable.h"

namespace rovenza {

void selectRow(int row);
// A new table (read from a file): the first row selected, nothing unwritten.
void setRows(std::vector<SignRow> rows);
void addRow();
void removeRow();
void moveRow(int by);
// A field of the selected row was typed in.
void editChanged(int id);
LRESULT rowListNotify(const NMHDR& header, LPARAM lParam);

}  // namespace rovenza

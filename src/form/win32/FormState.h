#pragma once
// State of the layout form while it is open.
#include <windows.h>

namespace rovenza {

struct FormState {};

}  // namespace rovenza

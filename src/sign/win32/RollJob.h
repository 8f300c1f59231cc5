#pragma once
// One roll of one sign, shared by the user-interface thread and the roll
// thread. Everything but `cancelled` is written before the thread starts and
// only read afterwards.
#include <windows.h>

#include <cstdint>

#include "common/win32/Scoped.h"
#include "sign/RollPacer.h"
#include "sign/RollPlan.h"

namespace rovenza {

struct RollJob {
  int sign = 0;
  std::uint32_t serial = 0;    // tells this roll's messages from an older roll's
  HWND signWindow = nullptr;   // the window the steps are sent to
  RollPlan plan;
  std::int32_t startOffset = 0;
  std::int32_t targetFrame = 0;
  RollPauses pauses;
  ScopedHandle cancelEvent;    // manual reset; set by stopRoll, wakes the thread's pauses
  bool cancelled = false;      // read and written on the user-interface thread only
};

}  // namespace rovenza

#pragma once
// One roll of one sign, shared by the user-interface thread and the roll
// thread. The plain fields are written before the thread starts and only read
// afterwards.
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "common/win32/Scoped.h"
#include "sign/RollPacer.h"
#include "sign/RollPlan.h"

namespace rovenza {

struct RollJob {
  int sign = 0;
  std::uint32_t serial = 0;    // tells this roll's messages from an older roll's
  HWND signWindow = nullptr;   // the window the roll's messages go to
  HWND clipWindow = nullptr;   // the opening the steps are drawn into
  RollPlan plan;
  std::int32_t startOffset = 0;
  std::int32_t targetFrame = 0;
  RollPauses pauses;
  ScopedHandle cancelEvent;    // manual reset; set by stopRoll, wakes the thread's pauses
  // Set under the sign's opening lock by the user-interface thread when the
  // roll is stopped or has ended: from then on no step of it is drawn or
  // carried out, and its messages are refused.
  std::atomic<bool> cancelled{false};
  // The strip offset of the last step drawn, written under the opening lock.
  std::atomic<std::int32_t> drawnOffset{0};
  // A kRollMovedMessage is on its way to the sign window: no other is posted
  // until the sign window has taken it.
  std::atomic<bool> movePosted{false};
};

}  // namespace rovenza

#pragma once
// What one code asks of every sign of a vehicle: the setting box's "設定"
// turns a code into a plan, one order per sign, and the shell carries it out
// (a roll-film sign rolls to its frame, an LED sign switches, pages alternate
// on the page clock).
#include <cstdint>
#include <vector>

#include "vehicle/VehicleFile.h"

namespace rovenza {

enum class SignStep {
  Unchanged,  // the sign keeps what it shows (also every hidden sign)
  Blank,      // an LED sign shows nothing
  Frame,      // one frame (a roll-film sign's blank is its frame 0)
  Pages,      // frames shown in turn on the page clock
};

struct SignOrder {
  int face = 0;
  int sign = 0;  // within the face
  SignKind kind = SignKind::Hidden;
  SignStep step = SignStep::Unchanged;
  std::vector<std::int16_t> frames;  // Frame: one; Pages: two or more
};

struct CodePlan {
  bool found = false;  // false: the code is not in the table, nothing changes
  int code = 0;
  std::int32_t periodMs = kDefaultPeriodMs;
  std::vector<SignOrder> orders;  // faces x kSignsPerFace, face by face

  // Whether any sign shows pages (the page clock runs).
  bool hasPages() const;
};

// The plan of `code` for a vehicle.
CodePlan planCode(const Vehicle& vehicle, int code);

// Without a vehicle the setting box drives the board's two signs: code n
// shows frame n on each shown sign.
CodePlan planBoardCode(int code, const SignKind (&kinds)[kSignsPerFace]);

// The frame an order shows on page `page` of the page clock (any page
// number, negative ones too, counting round its frames); -1 for an order
// that shows no frame.
int frameOnPage(const SignOrder& order, std::int64_t page);

}  // namespace rovenza

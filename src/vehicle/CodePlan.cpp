#include "vehicle/CodePlan.h"

namespace rovenza {

bool CodePlan::hasPages() const {
  for (const SignOrder& order : orders) {
    if (order.step == SignStep::Pages) return true;
  }
  return false;
}

CodePlan planCode(const Vehicle& vehicle, int code) {
  CodePlan plan;
  plan.code = code;
  const VehicleCode* entry = vehicle.table.find(code);
  if (entry == nullptr) return plan;
  plan.found = true;
  plan.periodMs = entry->periodMs;
  const std::vector<VehicleFace>& faces = vehicle.head.faces;
  for (std::size_t face = 0; face < faces.size(); ++face) {
    for (int sign = 0; sign < kSignsPerFace; ++sign) {
      SignOrder order;
      order.face = static_cast<int>(face);
      order.sign = sign;
      order.kind = faces[face].kinds[sign];
      const std::size_t index = face * kSignsPerFace + static_cast<std::size_t>(sign);
      const SignCell* cell = index < entry->cells.size() ? &entry->cells[index] : nullptr;
      if (cell != nullptr && order.kind != SignKind::Hidden) {
        if (cell->action == CellAction::Blank) {
          if (order.kind == SignKind::RollFilm) {
            order.step = SignStep::Frame;
            order.frames = {0};
          } else {
            order.step = SignStep::Blank;
          }
        } else if (cell->action == CellAction::Frames && !cell->frames.empty()) {
          order.frames = cell->frames;
          order.step = cell->frames.size() > 1 ? SignStep::Pages : SignStep::Frame;
        }
      }
      plan.orders.push_back(std::move(order));
    }
  }
  return plan;
}

CodePlan planBoardCode(int code, const SignKind (&kinds)[kSignsPerFace]) {
  CodePlan plan;
  plan.code = code;
  plan.found = code >= 0 && code <= kMaxFrame;
  for (int sign = 0; sign < kSignsPerFace; ++sign) {
    SignOrder order;
    order.sign = sign;
    order.kind = kinds[sign];
    if (plan.found && kinds[sign] != SignKind::Hidden) {
      order.step = SignStep::Frame;
      order.frames = {static_cast<std::int16_t>(code)};
    }
    plan.orders.push_back(std::move(order));
  }
  return plan;
}

int frameOnPage(const SignOrder& order, std::int64_t page) {
  if (order.frames.empty() || (order.step != SignStep::Frame && order.step != SignStep::Pages)) return -1;
  const auto count = static_cast<std::int64_t>(order.frames.size());
  const std::int64_t at = ((page % count) + count) % count;
  return order.frames[static_cast<std::size_t>(at)];
}

}  // namespace rovenza

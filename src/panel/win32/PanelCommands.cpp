#include "panel/win32/PanelCommands.h"

#include <optional>
#include <string>

#include "common/Number.h"
#include "panel/Keypad.h"
#include "panel/win32/PanelWindow.h"
#include "sign/RollPlan.h"
#include "sign/win32/Roll.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {


void step(int sign, int direction) {
  if (!validSign(sign)) return;
  const std::optional<std::string> next = steppedDisplay(numberDisplayText(sign), direction);
  if (!next) return;
  setNumberDisplayText(sign, *next);
  rollSign(sign);
}

}  // namespace

void runPanelCommand(int id) {
  const PanelCommand command = panelCommandFor(id);
  switch (command.key) {
    case PanelKey::Digit:
      appendDigit(command.sign, command.digit);
      break;
    case PanelKey::Clear:
      clearEntry(command.sign);
      break;
    case PanelKey::Start:
      rollSign(command.sign);
      break;
    case PanelKey::Reset:
      resetSign(command.sign);
      break;
    case PanelKey::Forward:
      stepForward(command.sign);
      break;
    case PanelKey::Back:
      stepBack(command.sign);
      break;
    case PanelKey::None:
      break;
  }
}

void rollSign(int sign) {
  if (!validSign(sign)) return;
  RollRequest request;
  request.sign = sign;
  request.targetFrame = parseInt(numberDisplayText(sign));
  request.speed = pauseFromText(speedEditText(sign), kSpeedRange);
  request.interval = pauseFromText(intervalEditText(sign), kIntervalRange);
  startRoll(request);
}

void resetSign(int sign) {
  if (!validSign(sign)) return;
  returnSignHome(sign);
  setNumberDisplayText(sign, std::string());
  if (app.layout.signs[sign].kind == static_cast<std::uint8_t>(SignKind::Led)) rollSign(sign);
}

void appendDigit(int sign, int digit) {
  if (!validSign(sign)) return;
  std::string& entry = app.signStates[sign].entry;
  entry = entryAfterDigit(entry, digit);
  setNumberDisplayText(sign, entry);
}

void clearEntry(int sign) {
  if (!validSign(sign)) return;
  app.signStates[sign].entry.clear();
  setNumberDisplayText(sign, std::string());
}

void stepForward(int sign) { step(sign, +1); }
void stepBack(int sign) { step(sign, -1); }

void onUpDownDelta(int id, const NMUPDOWN& change) {
  const UpDownTarget target = upDownTargetFor(id);
  if (target.field == UpDownField::None || !app.panelWindow) return;
  const LRESULT answer = SendDlgItemMessageA(app.panelWindow, id, UDM_GETPOS, 0, 0);
  const std::optional<std::int32_t> value =
      upDownFieldValue(static_cast<std::uint32_t>(answer), change.iDelta);
  if (!value) return;
  SignSpec& signSpec = app.layout.signs[target.sign];
  if (target.field == UpDownField::Speed) {
    signSpec.speed = *value;
  } else {
    signSpec.interval = *value;
  }
}

}  // namespace rovenza

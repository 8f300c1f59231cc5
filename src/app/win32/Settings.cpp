#include "app/win32/Settings.h"

#include <windows.h>

#include "app/SettingsRecord.h"
#include "common/Cp932.h"
#include "layout/win32/SystemFiles.h"
#include "state/win32/AppState.h"

namespace rovenza {

namespace {

constexpr DWORD kModuleNameBuffer = 512;

// The settings values live in the main window's and the panel's places.
class ProgramWindows : public SettingsWindows {
 public:
  std::int32_t value(SettingsField field) const override {
    switch (field) {
      case SettingsField::MainLeft:
        return app.mainRef.left();
      case SettingsField::MainTop:
        return app.mainRef.top();
      case SettingsField::MainWidth:
        return app.mainRef.width();
      case SettingsField::MainHeight:
        return app.mainRef.height();
      case SettingsField::PanelLeft:
        return app.panelRef.left();
      case SettingsField::PanelTop:
        return app.panelRef.top();
    }
    return 0;
  }

  void apply(SettingsField field, std::int32_t value) override {
    switch (field) {
      case SettingsField::MainLeft:
        app.mainRef.setLeft(value);
        break;
      case SettingsField::MainTop:
        app.mainRef.setTop(value);
        break;
      case SettingsField::MainWidth:
        app.mainRef.setWidth(value);
        break;
      case SettingsField::MainHeight:
        app.mainRef.setHeight(value);
        break;
      case SettingsField::PanelLeft:
        app.panelRef.setLeft(value);
        break;
      case SettingsField::PanelTop:
        app.panelRef.setTop(value);
        break;
    }
  }
};

}  // namespace

std::string programFilePath() {
  char module[kModuleNameBuffer] = {};
  const DWORD length = GetModuleFileNameA(nullptr, module, kModuleNameBuffer);
  if (length == 0 || length >= kModuleNameBuffer) return std::string();
  return std::string(module, length);
}

std::string settingsPath() {
  const std::string program = programFilePath();
  return program.empty() ? std::string() : replaceLastFour(program, ".ini");
}

// A place saved on a monitor that is gone would leave a window where the
// user can never reach it: such a window comes back onto the nearest
// monitor's work area, and the next save writes where it really is.
void loadSettings() {
  const std::string path = settingsPath();
  if (path.empty()) return;
  ProgramWindows windows;
  if (loadSettingsFile(systemFiles(), path, windows) == 0) return;
  app.mainRef.keepWithinReach();
  app.panelRef.keepWithinReach();
}

// The old file is replaced only by a complete new one; a failed save keeps
// it and, like every settings failure, says nothing.
void saveSettings() {
  const std::string path = settingsPath();
  if (path.empty()) return;
  ProgramWindows windows;
  saveSettingsFile(systemFiles(), path, windows);
}

}  // namespace rovenza

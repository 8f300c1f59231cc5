#include "board/win32/NetworkQuestion.h"

#include <windows.h>

#include "layout/LayoutMessages.h"
#include "state/win32/AppState.h"

namespace rovenza {

PathPermit askAboutNetworkPaths(const std::string& file, const std::vector<std::string>& paths) {
  PathPermit permit(file);
  const std::vector<std::string> hosts = permit.hostsToAsk(paths);
  if (hosts.empty()) return permit;
  const std::string text = networkQuestionText(hosts);
  if (MessageBoxA(app.mainWindow, text.c_str(), kNetworkQuestionCaption,
                  MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES) {
    permit.agree(hosts);
  }
  return permit;
}

}  // namespace rovenza

#include "about/OsName.h"

namespace rovenza {

namespace {

const char kUnknownWindows[] = "謎のWindows(^^;";

std::string windows4Name(const OsVersion& v) {
  const std::string& sp = v.servicePack;
  switch (v.minor) {
    case 0:
      if (v.platformId != 1) return "Windows NT 4.0";
      return (sp == "B" || sp == "C") ? "Windows 95 OSR2" : "Windows 95";
    case 10:
      return sp == "A" ? "Windows 98 SE" : "Windows 98";
    case 90:
      return "Windows Me";
    default:
      return std::string();
  }
}

std::string windows5Name(const OsVersion& v) {
  switch (v.minor) {
    case 0:
      return "Windows 2000";
    case 1:
      return "Windows XP";
    case 2:
      return "Windows Server 2003";
    default:
      return kUnknownWindows;
  }
}

}  // namespace

std::string osName(const OsVersion& version) {
  switch (version.major) {
    case 3:
      return "Windows NT 3.51";
    case 4:
      return windows4Name(version);
    case 5:
      return windows5Name(version);
    case 6:
      return version.minor == 0 ? "Windows Vista" : kUnknownWindows;
    default:
      return kUnknownWindows;
  }
}

std::string servicePackText(const OsVersion& version) { return version.servicePack; }

}  // namespace rovenza

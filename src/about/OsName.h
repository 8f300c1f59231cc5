#pragma once
// The operating-system name the splash shows, from the fields of the system's
// version record.
#include <cstdint>
#include <string>

namespace rovenza {

struct OsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t platformId = 0;
  std::string servicePack;  // the record's service-pack text, as reported
};

// The name by the first matching row of the program's table: 3.x is NT 3.51;
// 4.0 on platform 1 is Windows 95 (OSR2 with service-pack text "B" or "C"),
// on any other platform NT 4.0; 4.10 is Windows 98 (SE with text "A"); 4.90
// is Me; any other 4.x gives an empty name; 5.0, 5.1, 5.2 are 2000, XP and
// Server 2003; 6.0 is Vista; everything else is "謎のWindows(^^;". Service-pack
// texts compare exactly, whole and case-sensitively.
std::string osName(const OsVersion& version);

// The service-pack text as shown: the record's text without any change.
std::string servicePackText(const OsVersion& version);

}  // namespace rovenza

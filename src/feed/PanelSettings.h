#pragma once
// Where and how a sign is fed to an LED panel on the network: the panel's
// host and port, its size in dots and the brightness cap; what is wrong with
// such settings; and their record in the panel file beside the program.
// Whether a sign is fed is never kept: every run starts with no feed.
#include <array>
#include <string>
#include <string_view>

#include "feed/PanelDots.h"

namespace rovenza {

struct PanelFeedSettings {
  std::string host;  // a host name or an IPv4 address
  int port = 0;
  PanelSize size;
  int cap = kDefaultBrightnessCap;  // percent
};

// The longest host name a resolver takes.
constexpr std::size_t kMaxHostLength = 253;

// Whether a panel of that size can be fed: a dot or more each way, no more
// than kMaxPanelDots in all.
bool panelSizeAllowed(PanelSize size);

// What keeps settings from being used; each has its message.
enum class PanelSettingFault { None, NoHost, LongHost, HostCharacter, Port, Size, Cap };
PanelSettingFault checkPanelSettings(const PanelFeedSettings& settings);
// The message saying what is wrong and what is wanted; empty for None.
const char* panelSettingMessage(PanelSettingFault fault);

// The settings' fields as texts, in the record's and the window's order.
enum PanelField { kPanelHost, kPanelPort, kPanelWidth, kPanelHeight, kPanelCap, kPanelFieldCount };
using PanelFields = std::array<std::string, kPanelFieldCount>;
// The keys of the fields in the panel file.
extern const char* const kPanelFieldKeys[kPanelFieldCount];

// The field a fault is found in.
PanelField panelFieldOf(PanelSettingFault fault);

PanelFields panelFields(const PanelFeedSettings& settings);
// Settings typed by the user: blanks around each field are dropped, a number
// is whole decimal digits. The first fault found, with `settings` untouched
// unless there is none.
PanelSettingFault readPanelFields(const PanelFields& fields, PanelFeedSettings& settings);
// Settings kept in the file: each field (the size as one) that is missing or
// would be refused keeps its value of `defaults`.
PanelFeedSettings keptPanelSettings(const PanelFields& fields, const PanelFeedSettings& defaults);

// The panel file: the program's path with "-panel.ini" for its last four
// characters ("C:\Rovenza\rovenza.exe" -> "C:\Rovenza\rovenza-panel.ini").
std::string panelFilePath(std::string_view programPath);
// A sign's section in it: "Sign1", "Sign2" for the board's signs (`face`
// 0); "Face2.Sign1" and so on for the signs of a vehicle's further faces.
std::string panelSection(int face, int sign);

}  // namespace rovenza

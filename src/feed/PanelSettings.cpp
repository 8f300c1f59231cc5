#include "feed/PanelSettings.h"

#include <optional>

#include "common/Cp932.h"
#include "common/Number.h"

namespace rovenza {

const char* const kPanelFieldKeys[kPanelFieldCount] = {"Host", "Port", "Width", "Height", "Cap"};

namespace {

bool hostCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_';
}

PanelSettingFault checkHost(std::string_view host) {
  if (host.empty()) return PanelSettingFault::NoHost;
  if (host.size() > kMaxHostLength) return PanelSettingFault::LongHost;
  for (const char c : host) {
    if (!hostCharacter(c)) return PanelSettingFault::HostCharacter;
  }
  return PanelSettingFault::None;
}

bool validPort(int port) { return port >= 1 && port <= 65535; }
bool validCap(int cap) { return cap >= 1 && cap <= kMaxBrightnessCap; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Whole decimal digits, no more than nine of them; nothing for anything else.
std::optional<int> wholeNumber(std::string_view text) {
  text = trimmed(text);
  if (text.empty() || text.size() > 9) return std::nullopt;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  return parseInt(text);
}

}  // namespace

bool panelSizeAllowed(PanelSize size) { return size.width > 0 && size.height > 0 && size.dots() <= kMaxPanelDots; }

PanelSettingFault checkPanelSettings(const PanelFeedSettings& settings) {
  const PanelSettingFault host = checkHost(settings.host);
  if (host != PanelSettingFault::None) return host;
  if (!validPort(settings.port)) return PanelSettingFault::Port;
  if (!panelSizeAllowed(settings.size)) return PanelSettingFault::Size;
  if (!validCap(settings.cap)) return PanelSettingFault::Cap;
  return PanelSettingFault::None;
}

const char* panelSettingMessage(PanelSettingFault fault) {
  switch (fault) {
    case PanelSettingFault::None:
      return "";
    case PanelSettingFault::NoHost:
      return "送り先のホスト名かIPv4アドレスを入れてください。";
    case PanelSettingFault::LongHost:
      return "ホスト名が長すぎます。253文字までにしてください。";
    case PanelSettingFault::HostCharacter:
      return "ホスト名に使えるのは英数字とハイフン、ピリオド、下線だけです。";
    case PanelSettingFault::Port:
      return "ポート番号は1から65535までの数にしてください。";
    case PanelSettingFault::Size:
      return "パネルの大きさは横・縦とも1ドット以上、全部で65536ドットまでにしてください。";
    case PanelSettingFault::Cap:
      return "明るさの上限は1から100までの数（%）にしてください。";
  }
  return "";
}

PanelField panelFieldOf(PanelSettingFault fault) {
  switch (fault) {
    case PanelSettingFault::Port:
      return kPanelPort;
    case PanelSettingFault::Size:
      return kPanelWidth;
    case PanelSettingFault::Cap:
      return kPanelCap;
    default:
      return kPanelHost;
  }
}

PanelFields panelFields(const PanelFeedSettings& settings) {
  return PanelFields{settings.host, formatNumber(settings.port), formatNumber(settings.size.width),
                     formatNumber(settings.size.height), formatNumber(settings.cap)};
}

PanelSettingFault readPanelFields(const PanelFields& fields, PanelFeedSettings& settings) {
  PanelFeedSettings read;
  read.host = std::string(trimmed(fields[kPanelHost]));
  // A field that is no number reads as one the check refuses.
  read.port = wholeNumber(fields[kPanelPort]).value_or(0);
  read.size = PanelSize{wholeNumber(fields[kPanelWidth]).value_or(0), wholeNumber(fields[kPanelHeight]).value_or(0)};
  read.cap = wholeNumber(fields[kPanelCap]).value_or(0);
  const PanelSettingFault fault = checkPanelSettings(read);
  if (fault == PanelSettingFault::None) settings = read;
  return fault;
}

PanelFeedSettings keptPanelSettings(const PanelFields& fields, const PanelFeedSettings& defaults) {
  PanelFeedSettings kept = defaults;
  const std::string_view host = trimmed(fields[kPanelHost]);
  if (checkHost(host) == PanelSettingFault::None) kept.host = std::string(host);
  if (const auto port = wholeNumber(fields[kPanelPort]); port && validPort(*port)) kept.port = *port;
  const auto width = wholeNumber(fields[kPanelWidth]);
  const auto height = wholeNumber(fields[kPanelHeight]);
  if (width && height && panelSizeAllowed(PanelSize{*width, *height})) kept.size = PanelSize{*width, *height};
  if (const auto cap = wholeNumber(fields[kPanelCap]); cap && validCap(*cap)) kept.cap = *cap;
  return kept;
}

std::string panelFilePath(std::string_view programPath) { return replaceLastFour(programPath, "-panel.ini"); }

std::string panelSection(int face, int sign) {
  const std::string signName = "Sign" + formatNumber(sign + 1);
  return face == 0 ? signName : "Face" + formatNumber(face + 1) + "." + signName;
}

}  // namespace rovenza

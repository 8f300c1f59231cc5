#pragma once
// The texts of the layout file messages. The read and save error messages
// are the first line, two line breaks and the system's text for the error.
#include <string>
#include <string_view>

namespace rovenza {

inline constexpr char kNotLayoutFileText[] = "このファイルはRovenzaのデータではありません";
inline constexpr char kReadErrorFirstLine[] = "ファイルを読み込み中に、以下のエラーが発生しました。";
inline constexpr char kSaveErrorFirstLine[] = "ファイルを保存中に、以下のエラーが発生しました。";
// Every layout file message carries this caption, the save error too.
inline constexpr char kLayoutErrorCaption[] = "読み込みエラー";
// The caption of the question asked before a file's paths reach another
// computer (networkQuestionText).
inline constexpr char kNetworkQuestionCaption[] = "ネットワーク上のファイル";

// The first line, CR LF twice and the system text up to its first zero byte.
inline std::string fileErrorText(std::string_view firstLine, std::string_view systemText) {
  const std::size_t zero = systemText.find('\0');
  if (zero != std::string_view::npos) systemText = systemText.substr(0, zero);
  std::string text(firstLine);
  text += "\r\n\r\n";
  text += systemText;
  return text;
}

}  // namespace rovenza

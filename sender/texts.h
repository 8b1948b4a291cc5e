#pragma once
// The item sender's own texts and message-box styles. Literals are UTF-8 in
// the source and Shift-JIS in the program.

#include <string_view>

namespace zrnx {

inline constexpr std::string_view kAppTitle = "Zarnik NX";
inline constexpr std::string_view kAboutTitle = "バージョン情報 - Zarnik NX";
inline constexpr std::string_view kUsageText = "パラメータの指定に誤りがあります。";
inline constexpr std::string_view kItemMissingText = "指定したファイルが見当たりません。";
// The box names the path it looked for, on a line of its own.
inline constexpr std::string_view kItemMissingPathText = "指定したファイルが見当たりません。\r\n\r\n%s";
inline constexpr std::string_view kApplicationErrorTitle = "ｱﾌﾟﾘｹｰｼｮﾝ ｴﾗｰ";
inline constexpr std::string_view kOutOfMemoryText = "メモリが不足しています。";

// Five lines joined by CR LF, none after the last.
inline constexpr std::string_view kAboutText =
    "Zarnik NX Ver.1.19\r\n"
    "Copyright (C) 2026 Zarnik NX developers\r\n"
    "\r\n"
    "URL: https://zarnik.example/nx/\r\n"
    "E-Mail: nx@zarnik.example";

// The paste was not delivered; the text stays on the clipboard.
inline constexpr std::string_view kPasteNotDeliveredText =
    "貼り付け先のウィンドウに貼り付けられませんでした。\r\n"
    "テキストはクリップボードにあります。Ctrl+V で貼り付けてください。";
inline constexpr std::string_view kPasteElevatedText =
    "貼り付け先のウィンドウは管理者として実行されているため、貼り付けられませんでした。\r\n"
    "テキストはクリップボードにあります。Ctrl+V で貼り付けてください。";

// The paste message was not answered in time by a window that still answers
// messages: the paste may arrive late.
inline constexpr std::string_view kPasteMayBeLateText =
    "貼り付け先のウィンドウの応答が遅れているため、貼り付けられたか確認できませんでした。\r\n"
    "テキストはクリップボードにあります。貼り付けられていない場合は Ctrl+V で貼り付けてください。";
// An item quotes the clipboard, but its text could not be read in time:
// nothing is sent rather than the item without the quote.
inline constexpr std::string_view kClipboardUnreadableText =
    "クリップボードのテキストを読み取れなかったため、送信を中止しました。\r\n"
    "クリップボードの内容を持つプログラムが応答していない可能性があります。しばらくしてからもう一度お試しください。";
// The window in front when the questions were asked was closed meanwhile.
inline constexpr std::string_view kTargetClosedText =
    "入力中に貼り付け先のウィンドウが閉じられたため、貼り付けませんでした。\r\n"
    "テキストはクリップボードにあります。Ctrl+V で貼り付けてください。";
// The question box of "%input:LABEL%" fields.
inline constexpr std::string_view kUnnamedQuestion = "入力";
inline constexpr std::string_view kQuestionCancel = "キャンセル";
// More labels than the box shows; the number of the others for "%lu".
inline constexpr std::string_view kQuestionsLeftOutText =
    "入力欄が多すぎるため、最初の 10 個だけを表示しています。ほかの %lu 個は空のまま貼り付けます。";

// Message-box styles (the values of MB_ICONINFORMATION, MB_ICONERROR,
// MB_ICONWARNING and MB_TASKMODAL), so the logic needs no Windows header.
inline constexpr unsigned kBoxInformation = 0x40;
inline constexpr unsigned kBoxError = 0x10;
inline constexpr unsigned kBoxWarning = 0x30;
inline constexpr unsigned kBoxTaskModal = 0x2000;

}  // namespace zrnx

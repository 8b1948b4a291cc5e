#pragma once
// The options editor's own texts and message-box styles. Literals are UTF-8
// in the source and Shift-JIS in the program; the Win32 layer shows them
// through the wide-character calls, converted from code page 932.

#include <string_view>

#include "common/settings_keys.h"

namespace zrnx {

inline constexpr std::string_view kOptionsTitle = "オプション - Zarnik NX";
inline constexpr std::string_view kOptionsBoxTitle = "Zarnik NX";
inline constexpr std::string_view kOptionsMutexName = "Zarnik_NX_Option";
inline constexpr std::string_view kFormClassName = "TZrnxSetForm";

inline constexpr std::string_view kMenuFolderName = kDefaultMenuFolderName;
inline constexpr std::string_view kNotepadName = "NOTEPAD.EXE";
inline constexpr std::string_view kExplorerName = "explorer.exe";
inline constexpr std::string_view kExplorerSwitches = " /e,/root,";
inline constexpr std::string_view kSettingsName = "Zrnx.ini";
inline constexpr std::string_view kItemSenderName = "Zrnx.exe";

inline constexpr std::string_view kRestartQuestion =
    "Windowsを再起動すると設定が有効になります。今すぐ再起動しますか？";
// The restart was refused (no privilege, or the system said no).
inline constexpr std::string_view kRestartRefused =
    "Windowsを再起動できませんでした。手動で再起動して下さい。";
inline constexpr std::string_view kFolderMissing = "指定したフォルダが見当たりません。";
// The through list's row for Explorer's folder windows on a first run.
inline constexpr std::string_view kExplorerItemName = "エクスプローラ";
inline constexpr std::string_view kExplorerMissing = "Explorer.exeが見当たりません。";
inline constexpr std::string_view kDeleteQuestion = "選択されているアイテムを削除してよろしいですか？";
inline constexpr std::string_view kDeleteTitle = "アイテム削除の確認";

// A value the settings file cannot hold (it stays in the system code page).
inline constexpr std::string_view kValueDoesNotFit =
    "「%s」に、このシステムの文字コードで表せない文字が含まれているため保存できません。"
    "別のフォルダやファイルを指定して下さい。";
inline constexpr std::string_view kEditorField = "編集で使用するエディタ";
inline constexpr std::string_view kMenuFolderField = "メニューフォルダ";

// The items page. A refused key names its item ("%s": its path below the menu folder).
inline constexpr std::string_view kKeysNeedShortcuts =
    "キーを使うには「スタートメニューにアイテムを表示する」をオンにして下さい。";
inline constexpr std::string_view kKeyTaken = "このキーは「%s」が使っています。別のキーを指定して下さい。";
inline constexpr std::string_view kKeyNeedsTwoModifiers =
    "「%s」のキー: 文字や数字には Ctrl、Alt、Shift のうち二つを組み合わせて下さい。";
inline constexpr std::string_view kKeyReserved = "「%s」のキーは Windows が使うため指定できません。";
inline constexpr std::string_view kKeyIncomplete = "「%s」のキーが途中までしか入力されていません。";
// Keys typed for the items of a menu folder that is no longer the one set.
inline constexpr std::string_view kKeysOfFormerFolderDropped =
    "メニューフォルダが変わったため、アイテムの一覧を読み直します。前のフォルダのアイテムに入力したキーは書き込まれません。";
inline constexpr std::string_view kKeysOfFormerFolderAtOk =
    "アイテムのページで入力したキーは前のメニューフォルダのアイテムのものなので、書き込まれません。このまま OK しますか？";

// Another program kept the Start-menu shortcuts' lock past the wait: the
// settings are saved, the shortcuts are left as they were.
inline constexpr std::string_view kShortcutsBusy =
    "ほかの Zarnik NX がスタートメニューのショートカットを更新しているため、ショートカットを更新できませんでした。"
    "設定は保存されています。しばらく待ってから、もう一度 OK を押して下さい";

inline constexpr std::string_view kExecutableFilterName = "実行ファイル";
inline constexpr std::string_view kExecutableFilterPattern = "*.exe";

// Message-box styles and answers (the Win32 values), so the logic needs no
// Windows header.
inline constexpr unsigned kBoxOkCancel = 0x1;
inline constexpr unsigned kBoxYesNo = 0x4;
inline constexpr unsigned kBoxError = 0x10;
inline constexpr unsigned kBoxQuestion = 0x20;
inline constexpr unsigned kBoxInformation = 0x40;
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

inline constexpr int kVkDelete = 46;

}  // namespace zrnx

#pragma once
// Writing shell links (.lnk files) into the user's special folders: one
// routine per folder, each taking the link's name (relative to the folder),
// target, description and working directory. The folder rules live here;
// the shell and file-system calls are behind ShellLinkApi.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/dbcs.h"

namespace zrnx {

// The special folder a link goes to, in ordinal order (stored in one byte).
enum TSCDirectoryType : std::uint8_t { scDeskTop, scProgram, scStartMenu, scStartUp, scRecent, scSendto };

struct SpecialFolder {
  std::string_view identifier;  // the stored name, "scSendto"
  int csidl;                    // the shell's folder identifier
  bool creates_folders;         // missing folders on the link's path are made
};

// Indexed by TSCDirectoryType.
inline constexpr std::array<SpecialFolder, 6> kSpecialFolders{{
    {"scDeskTop", 0, true},     // CSIDL_DESKTOP
    {"scProgram", 2, true},     // CSIDL_PROGRAMS
    {"scStartMenu", 11, true},  // CSIDL_STARTMENU
    {"scStartUp", 7, false},    // CSIDL_STARTUP
    {"scRecent", 8, false},     // CSIDL_RECENT
    {"scSendto", 9, true},      // CSIDL_SENDTO
}};

// What is written into the link. Arguments and an icon are set only when
// given, so a link without them keeps the shell link object's defaults.
struct LinkFields {
  const std::string& target;
  const std::string& description;
  const std::string& work_dir;
  // A target or working directory that came from a wide call (the code page
  // may not hold it) is passed as it is and takes the place of the bytes.
  const std::wstring* wide_target = nullptr;
  const std::wstring* wide_work_dir = nullptr;
  const std::wstring* wide_icon_path = nullptr;
  std::string_view arguments = {};
  std::string_view icon_path = {};
  int icon_index = 0;
  // IShellLink's hot key: low byte the virtual key, high byte HOTKEYF_*;
  // set only when not 0.
  std::uint16_t hot_key = 0;
  // System.AppUserModel.ID, set through the link's property store before the
  // save when not empty.
  std::string_view app_id = {};
};

// What a link file holds, as stored (never resolved).
struct LinkRead {
  std::string target, arguments, work_dir, description, icon_path;
  int icon_index = 0;
  std::uint16_t hot_key = 0;  // as GetHotkey gives it
  std::string app_id = {};        // System.AppUserModel.ID, "" when none
  std::wstring wide_target = {};  // the target through the wide interface
  bool operator==(const LinkRead&) const = default;
};

class ShellLinkApi {
 public:
  virtual ~ShellLinkApi() = default;

  // SHGetSpecialFolderLocation and SHGetPathFromIDListA: the folder's path,
  // or nullopt when the shell cannot resolve it.
  virtual std::optional<std::string> SpecialFolderPath(int csidl) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // CreateDirectoryA without security attributes; a failure is not reported.
  virtual void MakeDirectory(const std::string& path) = 0;
  // Creates the shell link object, sets description, target and working
  // directory in that order and saves it as `link_path`, replacing a file of
  // that name. Raises Error when the object cannot be created or lacks an
  // interface; a rejected value is not reported. False when the save failed.
  virtual bool SaveLink(const std::string& link_path, const LinkFields& fields) = 0;
  // The link at `path` as stored, nullopt when it does not load as a link.
  // Raises Error when the shell link object cannot be created.
  virtual std::optional<LinkRead> ReadLink(const std::string&) { return std::nullopt; }
  // Environment strings ("%USERPROFILE%") in a path read back, expanded.
  virtual std::string ExpandEnvironment(const std::string& text) { return text; }
  // Between these, one shell link object serves every SaveLink (and one
  // every ReadLink) instead of one per call; FinishLinks lets go of them.
  // Whether a link saved with an AppUserModelID reads back with it. Wine's
  // shell link accepts the property and keeps nothing: there an ID read
  // back empty says nothing, and comparing it would rewrite every link.
  virtual bool KeepsAppIds() { return true; }
  virtual void BeginLinks() {}
  virtual void FinishLinks() {}
};

// The shell's own implementation (Windows only), one for each thread that
// asks: its link objects are made in that thread's COM apartment.
ShellLinkApi& DefaultShellLinkApi();

// One link-writing routine; the result tells whether the link was saved.
using LinkRoutine = bool (*)(ShellLinkApi& api, const std::string& name, const LinkFields& fields);

// The routine for each special folder, indexed by TSCDirectoryType.
extern const std::array<LinkRoutine, 6> kLinkRoutines;

// Makes sure `directory` exists, creating missing parents first. Raises
// Error(kCannotCreateDirectory) for an empty directory (also reached when a
// path holds no delimiter at all); failed creations are not reported.
void ForceDirectories(std::string directory, ShellLinkApi& api, const LeadBytes& lead = SystemLeadBytes());

// A link path holds at most this many bytes (MAX_PATH with its terminator).
inline constexpr std::size_t kMaxLinkPath = 259;

inline constexpr std::string_view kCannotCreateDirectory = "ﾃﾞｨﾚｸﾄﾘを作成することができません";
inline constexpr std::string_view kInterfaceNotSupported = "Interface はｻﾎﾟｰﾄされていません";
inline constexpr std::string_view kLinkPathTooLong = "ｼｮｰﾄｶｯﾄのﾊﾟｽが長すぎます: %s";
inline constexpr std::string_view kNoSpecialFolder = "特殊ﾌｫﾙﾀﾞの場所を取得できません";

}  // namespace zrnx

// The link-writing routines' calls to the shell, the file system and the
// shell link object.

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "common/error.h"
#include "common/files_win.h"
#include "common/ole_error_win.h"
#include "common/scoped_win.h"
#include "common/wide_text_win.h"
#include "components/shell_link.h"

namespace zrnx {
namespace {

// Arguments and comments may exceed MAX_PATH; the shell's own limit for them.
constexpr int kLongText = 1024;

class Win32ShellLinkApi final : public ShellLinkApi {
 public:
  std::optional<std::string> SpecialFolderPath(int csidl) override { return zrnx::SpecialFolderPath(nullptr, csidl); }

  bool DirectoryExists(const std::string& path) override { return FolderExists(path); }

  void MakeDirectory(const std::string& path) override { CreateDirectoryA(path.c_str(), nullptr); }

  bool SaveLink(const std::string& link_path, const LinkFields& fields) override {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    CreateLink(IID_IShellLinkW, link, file);

    // Bytes in the system code page become what the narrow calls would make of them.
    link->SetDescription(DataText(fields.description).c_str());
    link->SetPath((fields.wide_target ? *fields.wide_target : DataText(fields.target)).c_str());
    link->SetWorkingDirectory((fields.wide_work_dir ? *fields.wide_work_dir : DataText(fields.work_dir)).c_str());
    if (!fields.arguments.empty()) link->SetArguments(DataText(fields.arguments).c_str());
    if (fields.wide_icon_path)
      link->SetIconLocation(fields.wide_icon_path->c_str(), fields.icon_index);
    else if (!fields.icon_path.empty())
      link->SetIconLocation(DataText(fields.icon_path).c_str(), fields.icon_index);

    // The caller keeps link paths within MAX_PATH - 1 bytes, which never
    // make more wide characters than that.
    wchar_t wide_path[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, link_path.c_str(), -1, wide_path, MAX_PATH);
    return SUCCEEDED(file->Save(wide_path, TRUE));
  }

  std::optional<LinkRead> ReadLink(const std::string& path) override {
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    CreateLink(IID_IShellLinkA, link, file);
    wchar_t wide_path[MAX_PATH] = {};
    if (path.size() >= MAX_PATH || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide_path, MAX_PATH) ||
        FAILED(file->Load(wide_path, STGM_READ))) {
      return std::nullopt;
    }
    // Stored values only: Resolve would search for a moved target.
    LinkRead read;
    char text[kLongText] = {};
    WIN32_FIND_DATAA find_data{};
    if (SUCCEEDED(link->GetPath(text, MAX_PATH, &find_data, 0))) read.target = Terminated(text, MAX_PATH);
    if (SUCCEEDED(link->GetArguments(text, kLongText))) read.arguments = Terminated(text, kLongText);
    if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) read.work_dir = Terminated(text, MAX_PATH);
    if (SUCCEEDED(link->GetDescription(text, kLongText))) read.description = Terminated(text, kLongText);
    int icon_index = 0;
    if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &icon_index))) {
      read.icon_path = Terminated(text, MAX_PATH);
      read.icon_index = icon_index;
    }
    return read;
  }

 private:
  static std::string Terminated(char* text, std::size_t size) {
    text[size - 1] = '\0';
    std::string value(text);
    text[0] = '\0';
    return value;
  }

  // Written through the wide interface, so that a path the code page cannot
  // hold arrives whole; read through the narrow one, as the plans compare bytes.
  template <typename Link>
  static void CreateLink(REFIID iid, ComPtr<Link>& link, ComPtr<IPersistFile>& file) {
    ComPtr<IUnknown> object;
    HRESULT status = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      IID_IUnknown, reinterpret_cast<void**>(object.Put()));
    if (FAILED(status)) throw Error(OleErrorMessage(status));
    if (FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(link.Put()))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put())))) {
      throw Error(std::string(kInterfaceNotSupported));
    }
  }
};

}  // namespace

ShellLinkApi& DefaultShellLinkApi() {
  static Win32ShellLinkApi api;
  return api;
}

}  // namespace zrnx

// The link-writing routines' calls to the shell, the file system and the
// shell link object.

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "common/error.h"
#include "common/files_win.h"
#include "common/ole_error_win.h"
#include "common/scoped_win.h"
#include "components/shell_link.h"

namespace zrnx {
namespace {

class Win32ShellLinkApi final : public ShellLinkApi {
 public:
  std::optional<std::string> SpecialFolderPath(int csidl) override { return zrnx::SpecialFolderPath(nullptr, csidl); }

  bool DirectoryExists(const std::string& path) override { return FolderExists(path); }

  void MakeDirectory(const std::string& path) override { CreateDirectoryA(path.c_str(), nullptr); }

  void SaveLink(const std::string& link_path, const LinkFields& fields) override {
    ComPtr<IUnknown> object;
    HRESULT status = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      IID_IUnknown, reinterpret_cast<void**>(object.Put()));
    if (FAILED(status)) throw Error(OleErrorMessage(status));

    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    if (FAILED(object->QueryInterface(IID_IShellLinkA, reinterpret_cast<void**>(link.Put()))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put())))) {
      throw Error(std::string(kInterfaceNotSupported));
    }

    link->SetDescription(fields.description.c_str());
    link->SetPath(fields.target.c_str());
    link->SetWorkingDirectory(fields.work_dir.c_str());

    // The caller keeps link paths within MAX_PATH - 1 bytes, which never
    // make more wide characters than that.
    wchar_t wide_path[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, link_path.c_str(), -1, wide_path, MAX_PATH);
    file->Save(wide_path, TRUE);
  }
};

}  // namespace

ShellLinkApi& DefaultShellLinkApi() {
  static Win32ShellLinkApi api;
  return api;
}

}  // namespace zrnx

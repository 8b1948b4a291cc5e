// The link-writing routines' calls to the shell, the file system and the
// shell link object.

#include <windows.h>
#include <objbase.h>
#include <propsys.h>
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

// System.AppUserModel.ID (propkey.h): {9F4C2855-9F79-4B39-A8D0-E1D42DE1D5F3}, 5.
constexpr PROPERTYKEY kAppUserModelId = {{0x9F4C2855, 0x9F79, 0x4B39, {0xA8, 0xD0, 0xE1, 0xD4, 0x2D, 0xE1, 0xD5, 0xF3}},
                                         5};

// One shell link object and its interfaces. Writing reuses one that was
// never loaded, with every field set each time; reading reuses another.
struct LinkObject {
  ComPtr<IShellLinkW> wide;
  ComPtr<IShellLinkA> narrow;
  ComPtr<IPersistFile> file;
  ComPtr<IPropertyStore> properties;  // absent where the shell has none
};

class Win32ShellLinkApi final : public ShellLinkApi {
 public:
  std::optional<std::string> SpecialFolderPath(int csidl) override { return zrnx::SpecialFolderPath(nullptr, csidl); }

  bool DirectoryExists(const std::string& path) override { return FolderExists(path); }

  void MakeDirectory(const std::string& path) override { CreateDirectoryA(path.c_str(), nullptr); }

  bool SaveLink(const std::string& link_path, const LinkFields& fields) override {
    if (!writer_.file) writer_ = CreateLink();
    // Let go after this link unless a sync of many holds the object.
    struct Done {
      Win32ShellLinkApi& api;
      ~Done() {
        if (!api.batch_) api.writer_ = LinkObject();
      }
    } done{*this};
    IShellLinkW* link = writer_.wide.Get();

    // Bytes in the system code page become what the narrow calls would make of them.
    link->SetDescription(DataText(fields.description).c_str());
    link->SetPath((fields.wide_target ? *fields.wide_target : DataText(fields.target)).c_str());
    link->SetWorkingDirectory((fields.wide_work_dir ? *fields.wide_work_dir : DataText(fields.work_dir)).c_str());
    link->SetArguments(DataText(fields.arguments).c_str());
    if (fields.wide_icon_path)
      link->SetIconLocation(fields.wide_icon_path->c_str(), fields.icon_index);
    else
      link->SetIconLocation(DataText(fields.icon_path).c_str(), fields.icon_index);
    link->SetHotkey(fields.hot_key);
    if (writer_.properties) {
      // Set before the save: Start lists shortcuts of one program apart
      // only when each carries an ID of its own.
      const std::wstring id = DataText(fields.app_id);
      PROPVARIANT value;
      PropVariantInit(&value);
      if (!id.empty()) {
        value.vt = VT_LPWSTR;
        value.pwszVal = const_cast<wchar_t*>(id.c_str());  // the store keeps a copy
      }
      writer_.properties->SetValue(kAppUserModelId, value);
      writer_.properties->Commit();
    }

    // The caller keeps link paths within MAX_PATH - 1 bytes, which never
    // make more wide characters than that.
    wchar_t wide_path[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, link_path.c_str(), -1, wide_path, MAX_PATH);
    return SUCCEEDED(writer_.file->Save(wide_path, TRUE));
  }

  std::optional<LinkRead> ReadLink(const std::string& path) override {
    if (!reader_.file) reader_ = CreateLink();
    struct Done {
      Win32ShellLinkApi& api;
      ~Done() {
        if (!api.batch_) api.reader_ = LinkObject();
      }
    } done{*this};
    wchar_t wide_path[MAX_PATH] = {};
    if (path.size() >= MAX_PATH || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide_path, MAX_PATH) ||
        FAILED(reader_.file->Load(wide_path, STGM_READ))) {
      return std::nullopt;
    }
    IShellLinkA* link = reader_.narrow.Get();
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
    WORD hot_key = 0;
    if (SUCCEEDED(link->GetHotkey(&hot_key))) read.hot_key = hot_key;
    // The whole target, for a program folder the code page cannot hold.
    wchar_t wide_target[MAX_PATH] = {};
    if (SUCCEEDED(reader_.wide->GetPath(wide_target, MAX_PATH, nullptr, 0))) {
      wide_target[MAX_PATH - 1] = L'\0';
      read.wide_target = wide_target;
    }
    if (reader_.properties) {
      PROPVARIANT value;
      PropVariantInit(&value);
      if (SUCCEEDED(reader_.properties->GetValue(kAppUserModelId, &value)) && value.vt == VT_LPWSTR && value.pwszVal)
        read.app_id = DataBytes(value.pwszVal);
      PropVariantClear(&value);
    }
    return read;
  }

  std::string ExpandEnvironment(const std::string& text) override {
    const std::wstring wide = DataText(text);
    wchar_t expanded[kLongText] = {};
    const DWORD length = ExpandEnvironmentStringsW(wide.c_str(), expanded, kLongText);
    return length == 0 || length > kLongText ? text : DataBytes(expanded);
  }

  bool KeepsAppIds() override {
    // Wine's ntdll exports its version; Windows' never does.
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return !wine;
  }

  void BeginLinks() override { batch_ = true; }

  void FinishLinks() override {
    batch_ = false;
    writer_ = LinkObject();
    reader_ = LinkObject();
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
  static LinkObject CreateLink() {
    ComPtr<IUnknown> object;
    HRESULT status = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      IID_IUnknown, reinterpret_cast<void**>(object.Put()));
    if (FAILED(status)) throw Error(OleErrorMessage(status));
    LinkObject link;
    if (FAILED(object->QueryInterface(IID_IShellLinkW, reinterpret_cast<void**>(link.wide.Put()))) ||
        FAILED(object->QueryInterface(IID_IShellLinkA, reinterpret_cast<void**>(link.narrow.Put()))) ||
        FAILED(object->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(link.file.Put())))) {
      throw Error(std::string(kInterfaceNotSupported));
    }
    object->QueryInterface(IID_IPropertyStore, reinterpret_cast<void**>(link.properties.Put()));
    return link;
  }

  LinkObject writer_, reader_;
  bool batch_ = false;
};

}  // namespace

ShellLinkApi& DefaultShellLinkApi() {
  // One per thread: a shell link object lives in the apartment of the thread
  // that made it, and the objects kept between calls are never shared.
  thread_local Win32ShellLinkApi api;
  return api;
}

}  // namespace zrnx

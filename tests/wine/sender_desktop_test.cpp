// The real Zrnx.exe under Wine on a desktop: Notepad, the sibling window, the
// keys and the clipboard as another program sees them.

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>

#include "common/scoped_win.h"
#include "sender/clipboard.h"
#include "sender/item_files.h"
#include "sender/texts.h"
#include "wine/desktop_support.h"

namespace zrnx::test {
namespace {

class SenderDesktopTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { notepad_ = new Notepad(); }
  static void TearDownTestSuite() {
    delete notepad_;
    notepad_ = nullptr;
  }

  void SetUp() override {
    program_ = sandbox_.Copy("Zrnx.exe");
    notepad_->Clear();
    SetClipboardText("before");
  }

  void WriteSettings(const std::string& lines) { sandbox_.WriteFile("Zrnx.ini", lines); }

  // Runs the sender and expects it to end by itself with this exit code and no box.
  void Run(const std::string& args, DWORD exit_code = 0) {
    Process sender(Quote(program_) + " " + args, sandbox_.Dir());
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(exit_code)) << args;
    EXPECT_EQ(FindAnyMessageBox(sender.Id()).has_value(), false) << args;
  }

  // Runs the sender, expects the application-error box and exit code 1; the box's text.
  std::string RunExpectingError(const std::string& args) {
    Process sender(Quote(program_) + " " + args, sandbox_.Dir());
    std::optional<MessageBoxSeen> box = WaitForMessageBox(std::string(kApplicationErrorTitle), sender.Id());
    EXPECT_TRUE(box.has_value()) << args;
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(1)) << args;
    return box ? box->text : "";
  }

  // The clipboard after a run that sent `text` in clipboard-only mode.
  std::optional<std::string> SendAlone(const std::string& item) {
    Run(Quote(item));
    return ReadClipboardText();
  }

  static Notepad* notepad_;
  Sandbox sandbox_;
  std::string program_;
  SiblingRecorder sibling_;
};

Notepad* SenderDesktopTest::notepad_ = nullptr;

TEST_F(SenderDesktopTest, PasteModePutsTheItemIntoNotepadAndTellsTheSiblingAroundTheWrite) {
  const std::string text = "Hello from Zarnik NX\r\nsecond line\r\n";
  const std::string item = sandbox_.WriteFile("hello.txt", text);
  ASSERT_TRUE(notepad_->ComeForward());
  Run("/p " + Quote(item));
  EXPECT_TRUE(WaitUntil([&] { return notepad_->Text() == text; }, kDefaultTimeout)) << notepad_->Text();
  EXPECT_EQ(ReadClipboardText(), text);
  ASSERT_EQ(sibling_.seen.size(), 2u);
  EXPECT_EQ(sibling_.seen[0].message, 0x046Eu);
  EXPECT_EQ(sibling_.seen[0].clipboard, "before");
  EXPECT_EQ(sibling_.seen[1].message, 0x046Fu);
  EXPECT_EQ(sibling_.seen[1].clipboard, text);
}

TEST_F(SenderDesktopTest, CopyModeBringsNotepadForwardWithoutPasting) {
  ASSERT_TRUE(notepad_->ComeForward());
  KeyRecorder shell_window("TApplication");  // never a target
  ASSERT_TRUE(shell_window.ComeForward());
  Run("/c " + Quote(sandbox_.WriteFile("copy.txt", "copied")));
  EXPECT_EQ(ReadClipboardText(), "copied");
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notepad_->Window(); }, kDefaultTimeout));
  PumpMessages(300);
  EXPECT_EQ(notepad_->Text(), "");
  EXPECT_TRUE(shell_window.events.empty());
}

TEST_F(SenderDesktopTest, ClipboardOnlyModeActivatesNothing) {
  ASSERT_TRUE(notepad_->ComeForward());
  KeyRecorder front("TApplication");
  ASSERT_TRUE(front.ComeForward());
  EXPECT_EQ(SendAlone(sandbox_.WriteFile("alone.txt", "alone")), "alone");
  PumpMessages(300);
  EXPECT_EQ(GetForegroundWindow(), front.Handle());
  EXPECT_TRUE(front.events.empty());
  EXPECT_EQ(sibling_.seen.size(), 2u);
}

TEST_F(SenderDesktopTest, EachPasteKindReachesTheFocusWindowExactly) {
  const std::string item = sandbox_.WriteFile("k.txt", "k");
  using Events = std::vector<std::string>;
  auto key = [](BYTE vk, bool up) { return KeyEventText(vk, up, vk == 'V'); };
  const Events expected[] = {
      {key(VK_CONTROL, false), key('V', false), key('V', true), key(VK_CONTROL, true)},
      {key(VK_SHIFT, false), key(VK_INSERT, false), key(VK_INSERT, true), key(VK_SHIFT, true)},
      {key(VK_F9, false), key(VK_F9, true)},
      {key(VK_SHIFT, false), key(VK_F9, false), key(VK_F9, true), key(VK_SHIFT, true)},
      {key(VK_SHIFT, false), key(VK_MENU, false), key(VK_INSERT, false), key(VK_INSERT, true), key(VK_MENU, true),
       key(VK_SHIFT, true)},
      {key(VK_MENU, false), key('V', false), key('V', true), key(VK_MENU, true)},
      {"paste"},
  };
  // One window for all kinds: under Wine without a window manager, destroying
  // the foreground window takes two seconds.
  KeyRecorder recorder;
  for (int kind = -1; kind <= 7; ++kind) {
    recorder.events.clear();
    ASSERT_TRUE(recorder.ComeForward());
    WriteSettings("[Option]\r\nSendKey_Paste=" + std::to_string(kind) + "\r\n");
    Run("/p " + Quote(item));
    const Events want = kind >= 0 && kind <= 6 ? expected[kind] : Events{};
    WaitUntil([&] { return recorder.events.size() >= want.size(); }, kDefaultTimeout);
    PumpMessages(want.empty() ? 500 : 100);
    EXPECT_EQ(recorder.events, want) << "kind " << kind;
  }
  EXPECT_EQ(notepad_->Text(), "");
}

TEST_F(SenderDesktopTest, ThroughListPassesOverNotepad) {
  KeyRecorder behind;
  ASSERT_TRUE(notepad_->ComeForward());
  WriteSettings("[Option]\r\nSendKey_Paste=6\r\n[ThroughWindow]\r\nItemCount=1\r\nClassName0=Notepad\r\n");
  Run("/p " + Quote(sandbox_.WriteFile("t.txt", "through")));
  EXPECT_TRUE(WaitUntil([&] { return behind.events == std::vector<std::string>{"paste"}; }, kDefaultTimeout));
  EXPECT_EQ(GetForegroundWindow(), behind.Handle());
  EXPECT_EQ(notepad_->Text(), "");
}

TEST_F(SenderDesktopTest, EmptyItemGivesEmptyTextAndStillPastes) {
  KeyRecorder recorder;
  ASSERT_TRUE(recorder.ComeForward());
  Run("/p " + Quote(sandbox_.WriteFile("empty.zrx", "")));
  EXPECT_EQ(ReadClipboardText(), std::optional<std::string>(""));
  EXPECT_TRUE(WaitUntil([&] { return recorder.events.size() == 4; }, kDefaultTimeout));
  ASSERT_EQ(sibling_.seen.size(), 2u);
  EXPECT_EQ(sibling_.seen[1].clipboard, "");
}

TEST_F(SenderDesktopTest, HeldClipboardEndsTheRunWithAnErrorAndNoPaste) {
  KeyRecorder recorder;
  ASSERT_TRUE(recorder.ComeForward());
  TestWindow holder("ZrnxTestHolder", "holder", false);
  ASSERT_TRUE(OpenClipboard(holder.Handle()));
  const std::string text = RunExpectingError("/p " + Quote(sandbox_.WriteFile("held.txt", "held")));
  CloseClipboard();
  EXPECT_EQ(text, kClipboardBusyText);
  PumpMessages(300);
  EXPECT_TRUE(recorder.events.empty());
  EXPECT_EQ(ReadClipboardText(), "before");
  ASSERT_EQ(sibling_.seen.size(), 2u);  // the sibling is not left waiting
  EXPECT_EQ(sibling_.seen[1].message, 0x046Fu);
}

TEST_F(SenderDesktopTest, ZeroBytesArriveAsSpacesAndInternetShortcutsAsTheirUrl) {
  EXPECT_EQ(SendAlone(sandbox_.WriteFile("zero.bin", std::string("a\0b\0\0c", 6))), "a b  c");
  const std::string url = "https://example.com/zarnik?q=1";
  EXPECT_EQ(SendAlone(sandbox_.WriteFile("Site.URL", "[Other]\r\nURL=no\r\n[InternetShortcut]\r\nURL=" + url + "\r\n")),
            url);
  EXPECT_EQ(SendAlone("Site.URL"), url);  // a bare name is the one in the current folder
}

// A shell link made the way the shell makes them.
void WriteLink(const std::string& link, const std::string& target) {
  ComApartment com;
  ComPtr<IShellLinkA> shell_link;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                         reinterpret_cast<void**>(shell_link.Put()))));
  shell_link->SetPath(target.c_str());
  ComPtr<IPersistFile> file;
  ASSERT_TRUE(SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()))));
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
  ASSERT_TRUE(SUCCEEDED(file->Save(wide, TRUE)));
}

TEST_F(SenderDesktopTest, ShellLinkSendsItsTargetsBytesUnexpanded) {
  const std::string target = sandbox_.WriteFile("target.zrx", std::string("%d0% raw\0!", 10));
  WriteLink(sandbox_.PathOf("item.lnk"), target);
  EXPECT_EQ(SendAlone(sandbox_.PathOf("item.lnk")), "%d0% raw !");
}

TEST_F(SenderDesktopTest, LinkToAMissingTargetEndsWithTheOpenErrorAndLeavesTheClipboard) {
  const std::string target = sandbox_.WriteFile("gone.txt", "x");
  WriteLink(sandbox_.PathOf("gone.lnk"), target);
  ASSERT_TRUE(DeleteFileA(target.c_str()));
  const DWORD sequence = ClipboardSequence();
  EXPECT_EQ(RunExpectingError(Quote(sandbox_.PathOf("gone.lnk"))), OpenErrorText(target));
  EXPECT_EQ(ClipboardSequence(), sequence);
  EXPECT_TRUE(sibling_.seen.empty());
}

TEST_F(SenderDesktopTest, ItemOfFourGigabytesIsRefusedNotCut) {
  const std::string item = sandbox_.PathOf("huge.txt");
  {
    ScopedFile file(CreateFileA(item.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.Valid());
    LARGE_INTEGER size{};
    size.QuadPart = 0x100000000LL;  // sparse: costs no disk
    ASSERT_TRUE(SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file.Get()));
  }
  EXPECT_EQ(RunExpectingError(Quote(item)), TooLargeErrorText(item));
  EXPECT_EQ(ReadClipboardText(), "before");
}

}  // namespace
}  // namespace zrnx::test

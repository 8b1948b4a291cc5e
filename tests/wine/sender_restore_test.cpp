// The real Zrnx.exe under Wine giving the clipboard back after a paste:
// what the user had copied (Unicode text, a private format, metafiles)
// returns once the target has read the item, and stays away where that
// would be wrong; a late paste never gets the old content.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "common/scoped_win.h"
#include "wine/desktop_support.h"

namespace zrnx::test {
namespace {

const UINT kPrivateFormat = RegisterClipboardFormatA("ZrnxTestPrivate");
const std::wstring kEarlierText = L"前に\x30b3\x30d4\x30fc\x3057\x305f text \x263a";
const std::string kPrivateBytes("\x01\x00\xFFprivate", 10);

// What the user had copied: Unicode text and a private format of its own.
void CopyEarlierContent(HWND owner) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  const std::size_t text_bytes = (kEarlierText.size() + 1) * sizeof(wchar_t);
  HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, text_bytes);
  std::memcpy(GlobalLock(text), kEarlierText.c_str(), text_bytes);
  GlobalUnlock(text);
  SetClipboardData(CF_UNICODETEXT, text);
  HGLOBAL bytes = GlobalAlloc(GMEM_MOVEABLE, kPrivateBytes.size());
  std::memcpy(GlobalLock(bytes), kPrivateBytes.data(), kPrivateBytes.size());
  GlobalUnlock(bytes);
  SetClipboardData(kPrivateFormat, bytes);
  CloseClipboard();
}

std::optional<std::string> ReadPrivateFormat() {
  std::optional<std::string> result;
  if (!OpenClipboard(nullptr)) return result;
  if (HANDLE data = GetClipboardData(kPrivateFormat)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      result = std::string(bytes, GlobalSize(data)).substr(0, kPrivateBytes.size());
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return result;
}

// A target in this process that is pasted into by message (kind 6). On the
// paste it reads the text and then, as the mode says, keeps the clipboard
// open (another program holding it while it is given back) or writes newer
// content of its own.
class PasteTarget : public TestWindow {
 public:
  enum class Mode { kRead, kReadAndHold, kReadAndWrite };
  explicit PasteTarget(Mode mode) : TestWindow("ZrnxTestPasteTarget", "target", true), mode_(mode) {}
  std::optional<std::string> pasted;
  bool holding = false;

 protected:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM, LPARAM) override {
    if (message != WM_PASTE || !OpenClipboard(Handle())) return std::nullopt;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      pasted = static_cast<const char*>(GlobalLock(data));
      GlobalUnlock(data);
    }
    if (mode_ == Mode::kReadAndWrite) {
      EmptyClipboard();
      HGLOBAL newer = GlobalAlloc(GMEM_MOVEABLE, 6);
      std::memcpy(GlobalLock(newer), "newer", 6);
      GlobalUnlock(newer);
      SetClipboardData(CF_TEXT, newer);
    }
    if (mode_ == Mode::kReadAndHold)
      holding = true;
    else
      CloseClipboard();
    return 0;
  }

 private:
  Mode mode_;
};

// A target pasted into by message that reads CF_TEXT `delay` milliseconds
// after the paste (0: inside the message); one that gathers also reads every
// new content as it appears, as office programs do.
class ReadingTarget : public TestWindow {
 public:
  ReadingTarget(DWORD delay, bool gathers)
      : TestWindow("ZrnxTestReadingTarget", "reader", true), delay_(delay), gathers_(gathers) {
    if (gathers) AddClipboardFormatListener(Handle());
  }
  ~ReadingTarget() override { RemoveClipboardFormatListener(Handle()); }
  std::vector<std::string> pasted;
  int gathered = 0;

 protected:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM, LPARAM) override {
    if (message == WM_PASTE && delay_ == 0) {
      Read();
    } else if (message == WM_PASTE) {
      SetTimer(Handle(), 1, delay_, nullptr);
    } else if (message == WM_TIMER) {
      KillTimer(Handle(), 1);
      Read();
    } else if (message == WM_CLIPBOARDUPDATE && gathers_ && OpenClipboard(Handle())) {
      GetClipboardData(CF_UNICODETEXT);
      GetClipboardData(CF_TEXT);
      CloseClipboard();
      ++gathered;
    } else {
      return std::nullopt;
    }
    return 0;
  }

 private:
  void Read() {
    if (!OpenClipboard(Handle())) return;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
      pasted.emplace_back(text);
      GlobalUnlock(data);
    }
    CloseClipboard();
  }
  DWORD delay_;
  bool gathers_;
};

// Another program watching the clipboard (zrnx_clip_watcher), greedy or
// polite, and the lines it wrote.
class Watcher {
 public:
  Watcher(Sandbox& sandbox, const std::string& mode)
      : report_(sandbox.PathOf("watcher-" + mode + ".txt")),
        process_(Quote(sandbox.Copy("zrnx_clip_watcher.exe", "watcher-" + mode + ".exe")) + " " + mode + " " + report_) {
    EXPECT_TRUE(WaitUntil([&] { return Report().starts_with("ready"); }));
  }
  std::string Report() const {
    std::ifstream file(report_);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

 private:
  std::string report_;
  Process process_;
};

class SenderRestoreTest : public ::testing::Test {
 protected:
  void SetUp() override { program_ = sandbox_.Copy("Zrnx.exe"); }

  // Runs the sender in paste mode and expects it to end by itself, without a box.
  void Paste(const std::string& settings, const std::string& text) {
    sandbox_.WriteFile("Zrnx.ini", "[Option]\r\n" + settings);
    Process sender(Quote(program_) + " /p " + Quote(sandbox_.WriteFile("item.txt", text)), sandbox_.Dir());
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(0));
    EXPECT_EQ(FindAnyMessageBox(sender.Id()).has_value(), false);
  }

  // Starts the sender in paste mode by message with the clipboard given back.
  std::unique_ptr<Process> StartPaste(const std::string& name, const std::string& text) {
    sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nSendKey_Paste=6\r\nRestoreClipboard=1\r\n");
    return std::make_unique<Process>(Quote(program_) + " /p " + Quote(sandbox_.WriteFile(name, text)), sandbox_.Dir());
  }

  Sandbox sandbox_;
  std::string program_;
  TestWindow owner_{"ZrnxTestOwner", "owner", false};
};

TEST_F(SenderRestoreTest, NotepadGetsTheItemAndTheClipboardComesBackWithTheSiblingToldAroundBothWrites) {
  Notepad notepad;
  // The sibling reads CF_TEXT while it is told of the write, before Notepad
  // reads the text as Unicode: the sender must still see Notepad's read.
  SiblingRecorder sibling;
  for (const std::string& item : {std::string("code page item"), std::string("\xEF\xBB\xBF" "decoded item")}) {
    SCOPED_TRACE(item);
    const std::string text = item.substr(item[0] == '\xEF' ? 3 : 0);
    sibling.seen.clear();
    notepad.Clear();
    CopyEarlierContent(owner_.Handle());
    ASSERT_TRUE(notepad.ComeForward());
    Paste("RestoreClipboard=1\r\n", item);
    EXPECT_TRUE(WaitUntil([&] { return notepad.Text() == text; })) << notepad.Text();
    EXPECT_EQ(ReadClipboardUnicode(), kEarlierText);
    EXPECT_EQ(ReadPrivateFormat(), kPrivateBytes);
    ASSERT_EQ(sibling.seen.size(), 4u);
    EXPECT_EQ(sibling.seen[1].clipboard, text);
    EXPECT_EQ(sibling.seen[2].message, 0x046Eu);
    EXPECT_EQ(sibling.seen[3].message, 0x046Fu);
    EXPECT_NE(sibling.seen[3].clipboard, std::optional<std::string>(text));
  }
}

TEST_F(SenderRestoreTest, WithoutTheFlagTheItemStays) {
  Notepad notepad;
  CopyEarlierContent(owner_.Handle());
  ASSERT_TRUE(notepad.ComeForward());
  Paste("RestoreClipboard=0\r\n", "stays");
  EXPECT_TRUE(WaitUntil([&] { return notepad.Text() == "stays"; })) << notepad.Text();
  PumpMessages(300);
  EXPECT_EQ(ReadClipboardText(), "stays");
  EXPECT_EQ(ReadPrivateFormat(), std::nullopt);
}

TEST_F(SenderRestoreTest, TargetThatNeverReadsLeavesTheItemOnTheClipboard) {
  KeyRecorder target;  // takes the keys, never reads the clipboard
  CopyEarlierContent(owner_.Handle());
  ASSERT_TRUE(target.ComeForward());
  const ULONGLONG start = GetTickCount64();
  Paste("RestoreClipboard=1\r\n", "never read");
  RecordProperty("sender_ms", std::to_string(GetTickCount64() - start));
  EXPECT_EQ(target.events.size(), 4u);
  // The promise was kept when the sender ended: the item is there in both forms.
  EXPECT_EQ(ReadClipboardText(), "never read");
  EXPECT_EQ(ReadClipboardUnicode(), L"never read");
}

TEST_F(SenderRestoreTest, NewerContentWrittenAfterTheReadIsLeftAlone) {
  PasteTarget target(PasteTarget::Mode::kReadAndWrite);
  CopyEarlierContent(owner_.Handle());
  ASSERT_TRUE(target.ComeForward());
  Paste("SendKey_Paste=6\r\nRestoreClipboard=1\r\n", "item");
  EXPECT_EQ(target.pasted, "item");
  EXPECT_EQ(ReadClipboardText(), "newer");
}

TEST_F(SenderRestoreTest, ClipboardHeldWhileGivingBackLeavesTheItemAndTheSenderEnds) {
  PasteTarget target(PasteTarget::Mode::kReadAndHold);
  CopyEarlierContent(owner_.Handle());
  ASSERT_TRUE(target.ComeForward());
  Paste("SendKey_Paste=6\r\nRestoreClipboard=1\r\n", "held item");
  EXPECT_EQ(target.pasted, "held item");
  ASSERT_TRUE(target.holding);
  CloseClipboard();
  EXPECT_EQ(ReadClipboardText(), "held item");
  EXPECT_EQ(ReadPrivateFormat(), std::nullopt);
}

TEST_F(SenderRestoreTest, MessagePasteIntoAReadingTargetGivesBackToo) {
  PasteTarget target(PasteTarget::Mode::kRead);
  CopyEarlierContent(owner_.Handle());
  ASSERT_TRUE(target.ComeForward());
  Paste("SendKey_Paste=6\r\nRestoreClipboard=1\r\n", "by message");
  EXPECT_EQ(target.pasted, "by message");
  EXPECT_EQ(ReadClipboardUnicode(), kEarlierText);
  EXPECT_EQ(ReadPrivateFormat(), kPrivateBytes);
}

// Reads the target cannot be seen making: the item stays on the clipboard, so
// a paste made late still gets the item, never the content copied before.
TEST_F(SenderRestoreTest, LatePastesGetTheItemAndOnlyASeenReadGivesTheClipboardBack) {
  struct Case {
    const char* name;
    DWORD delay;
    bool gathers;
    const char* watcher;  // nullptr: none
    bool given_back;
  } cases[] = {
      {"reads at once", 0, false, nullptr, true},
      {"gathers as it changes, pastes 1.5 s late", 1500, true, nullptr, false},
      {"another program renders first, target pastes 1.5 s late", 1500, false, "greedy", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<Watcher> watcher;
    if (c.watcher) watcher.emplace(sandbox_, c.watcher);
    ReadingTarget target(c.delay, c.gathers);
    CopyEarlierContent(owner_.Handle());
    ASSERT_TRUE(target.ComeForward());
    Paste("SendKey_Paste=6\r\nRestoreClipboard=1\r\n", "late item");
    EXPECT_TRUE(WaitUntil([&] { return !target.pasted.empty(); }, 5000));
    EXPECT_EQ(target.pasted, std::vector<std::string>{"late item"});
    // The earlier content and the item, before the key.
    if (c.gathers) {
      EXPECT_GE(target.gathered, 2);
    }
    if (c.given_back) {
      EXPECT_EQ(ReadClipboardUnicode(), kEarlierText);
      EXPECT_EQ(ReadPrivateFormat(), kPrivateBytes);
    } else {
      EXPECT_EQ(ReadClipboardText(), "late item");
      EXPECT_EQ(ReadPrivateFormat(), std::nullopt);
    }
    if (watcher) {
      EXPECT_NE(watcher->Report().find("text late item"), std::string::npos) << watcher->Report();
    }
  }
}

TEST_F(SenderRestoreTest, TwoSendsCloseTogetherGiveBackTheUsersOwnContent) {
  ReadingTarget target(0, false);
  CopyEarlierContent(owner_.Handle());
  ASSERT_TRUE(target.ComeForward());
  std::unique_ptr<Process> first = StartPaste("first.txt", "first");
  PumpMessages(200);
  std::unique_ptr<Process> second = StartPaste("second.txt", "second");
  EXPECT_EQ(first->Wait(), std::optional<DWORD>(0));
  EXPECT_EQ(second->Wait(), std::optional<DWORD>(0));
  // On a loaded machine the second may reach the lock first.
  std::sort(target.pasted.begin(), target.pasted.end());
  EXPECT_EQ(target.pasted, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(ReadClipboardUnicode(), kEarlierText);
  EXPECT_EQ(ReadPrivateFormat(), kPrivateBytes);
}

// The item to be given back carries the marks that keep it out of clipboard
// history and the cloud clipboard; a watcher that honours them leaves it
// alone. Without the option the item is the user's to keep and unmarked.
TEST_F(SenderRestoreTest, ItemToBeGivenBackIsMarkedForWatchers) {
  for (const bool restore : {true, false}) {
    SCOPED_TRACE(restore);
    Watcher watcher(sandbox_, restore ? "polite" : "polite-off");
    ReadingTarget target(0, false);
    CopyEarlierContent(owner_.Handle());
    ASSERT_TRUE(target.ComeForward());
    Paste(std::string("SendKey_Paste=6\r\nRestoreClipboard=") + (restore ? "1" : "0") + "\r\n", "marked");
    EXPECT_EQ(target.pasted, std::vector<std::string>{"marked"});
    PumpMessages(300);
    const std::string report = watcher.Report();
    EXPECT_EQ(report.find("marks 1 0 0 text -") != std::string::npos, restore) << report;
    EXPECT_EQ(report.find("marks 0 - - text marked") != std::string::npos, !restore) << report;
  }
}

// Metafiles are GDI handles: kept as their bits and made anew for the give-back.
TEST_F(SenderRestoreTest, MetafilesAreGivenBack) {
  const auto enhanced_bits = [](HANDLE data) {
    std::string bits(GetEnhMetaFileBits(static_cast<HENHMETAFILE>(data), 0, nullptr), '\0');
    GetEnhMetaFileBits(static_cast<HENHMETAFILE>(data), static_cast<UINT>(bits.size()),
                       reinterpret_cast<BYTE*>(bits.data()));
    return bits;
  };
  const auto picture_bits = [](HANDLE data) {
    const auto* picture = static_cast<const METAFILEPICT*>(GlobalLock(data));
    std::string bits(GetMetaFileBitsEx(picture->hMF, 0, nullptr), '\0');
    GetMetaFileBitsEx(picture->hMF, static_cast<UINT>(bits.size()), bits.data());
    bits += "/" + std::to_string(picture->mm) + "/" + std::to_string(picture->xExt) + "/" +
            std::to_string(picture->yExt);
    GlobalUnlock(data);
    return bits;
  };
  const auto make_enhanced = []() -> HANDLE {
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    Rectangle(dc, 1, 2, 30, 40);
    Ellipse(dc, 5, 5, 25, 35);
    return CloseEnhMetaFile(dc);
  };
  const auto make_picture = []() -> HANDLE {
    HDC dc = CreateMetaFileA(nullptr);
    Rectangle(dc, 3, 4, 50, 60);
    const METAFILEPICT picture{MM_ANISOTROPIC, 1000, 500, CloseMetaFile(dc)};
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof picture);
    std::memcpy(GlobalLock(block), &picture, sizeof picture);
    GlobalUnlock(block);
    return block;
  };
  struct Case {
    UINT format;
    std::function<HANDLE()> make;
    std::function<std::string(HANDLE)> bits;
  } cases[] = {{CF_ENHMETAFILE, make_enhanced, enhanced_bits}, {CF_METAFILEPICT, make_picture, picture_bits}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    ASSERT_TRUE(OpenClipboard(owner_.Handle()));
    EmptyClipboard();
    SetClipboardData(c.format, c.make());
    const std::string before = c.bits(GetClipboardData(c.format));
    CloseClipboard();
    ASSERT_GT(before.size(), 20u);
    ReadingTarget target(0, false);
    ASSERT_TRUE(target.ComeForward());
    Paste("SendKey_Paste=6\r\nRestoreClipboard=1\r\n", "picture item");
    EXPECT_EQ(target.pasted, std::vector<std::string>{"picture item"});
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE after = GetClipboardData(c.format);
    EXPECT_EQ(after ? c.bits(after) : "", before);
    CloseClipboard();
  }
}

}  // namespace
}  // namespace zrnx::test

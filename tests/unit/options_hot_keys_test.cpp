// The items page's keys: which keys Explorer takes, how a key reads in the
// list, the rows made from the shortcut sync's items, and what OK hands on
// or refuses.

#include <gtest/gtest.h>

#include "options/item_hot_keys.h"

namespace zrnx {
namespace {

constexpr std::uint16_t Key(unsigned modifiers, unsigned vk) { return static_cast<std::uint16_t>(modifiers << 8 | vk); }
constexpr unsigned kCtrl = kHotKeyControl, kAlt = kHotKeyAlt, kShift = kHotKeyShift, kExt = kHotKeyExtended;

TEST(OptionsHotKeysTest, WhichKeysExplorerTakes) {
  struct Case {
    std::uint16_t key;
    HotKeyProblem problem;
    const char* text;
  } cases[] = {
      {0, HotKeyProblem::kNone, ""},
      {Key(kCtrl | kAlt, 'A'), HotKeyProblem::kNone, "Ctrl+Alt+A"},
      {Key(kCtrl | kShift, '0'), HotKeyProblem::kNone, "Ctrl+Shift+0"},
      {Key(kShift | kAlt, 'Z'), HotKeyProblem::kNone, "Shift+Alt+Z"},
      {Key(kCtrl | kShift | kAlt, '9'), HotKeyProblem::kNone, "Ctrl+Shift+Alt+9"},
      {Key(kCtrl, 'A'), HotKeyProblem::kNeedsTwoModifiers, "Ctrl+A"},
      {Key(kAlt, '5'), HotKeyProblem::kNeedsTwoModifiers, "Alt+5"},
      {Key(kShift, 'Q'), HotKeyProblem::kNeedsTwoModifiers, "Shift+Q"},
      {Key(0, 'M'), HotKeyProblem::kNeedsTwoModifiers, "M"},
      // The extended flag is no modifier of its own.
      {Key(kCtrl | kExt, 'B'), HotKeyProblem::kNeedsTwoModifiers, "Ctrl+B"},
      // Function keys, the number pad and the arrows need no modifier.
      {Key(0, 0x70), HotKeyProblem::kNone, "F1"},
      {Key(kShift, 0x87), HotKeyProblem::kNone, "Shift+F24"},
      {Key(kCtrl | kAlt, 0x60), HotKeyProblem::kNone, "Ctrl+Alt+Num 0"},
      {Key(kCtrl | kExt, 0x2E), HotKeyProblem::kNone, "Ctrl+Delete"},
      {Key(kAlt, 0x25), HotKeyProblem::kNone, "Alt+←"},
      {Key(kCtrl | kAlt, 0xBD), HotKeyProblem::kNone, "Ctrl+Alt+-"},
      {Key(kCtrl | kAlt, 0xE2), HotKeyProblem::kNone, "Ctrl+Alt+#E2"},
      // Modifiers only, as the control has them while they are held.
      {Key(kCtrl | kAlt, 0), HotKeyProblem::kNoKey, "Ctrl+Alt+"},
      {Key(kCtrl, 0x11), HotKeyProblem::kNoKey, "Ctrl+#11"},
      {Key(kShift, 0xA0), HotKeyProblem::kNoKey, "Shift+#A0"},
      // Windows keeps these.
      {Key(kCtrl | kAlt, 0x1B), HotKeyProblem::kReserved, "Ctrl+Alt+#1B"},
      {Key(kCtrl | kAlt, 0x0D), HotKeyProblem::kReserved, "Ctrl+Alt+#0D"},
      {Key(kCtrl | kAlt, 0x09), HotKeyProblem::kReserved, "Ctrl+Alt+#09"},
      {Key(kCtrl | kAlt, 0x20), HotKeyProblem::kReserved, "Ctrl+Alt+#20"},
      {Key(0, 0x2C), HotKeyProblem::kReserved, "#2C"},
      {Key(kCtrl | kAlt, 0x08), HotKeyProblem::kReserved, "Ctrl+Alt+#08"},
      {Key(kCtrl, 0x5B), HotKeyProblem::kReserved, "Ctrl+#5B"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CheckHotKey(c.key), c.problem);
    EXPECT_EQ(HotKeyText(c.key), c.text);
  }
}

TEST(OptionsHotKeysTest, RowsNameTheItemAndItsFolderBelowTheMenuFolder) {
  struct Case {
    const char* relative;
    const char* name;
    const char* folder;
  } cases[] = {
      {"greeting.zrx", "greeting.zrx", ""},
      {"Sub\\greeting.zrx", "greeting.zrx", "Sub"},
      {"A\\B\\x.txt", "x.txt", "A\\B"},
      // A trail byte 0x5C inside a Japanese name is no separator.
      {"\x95\x5C\\\x83\x5C.zrx", "\x83\x5C.zrx", "\x95\x5C"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.relative);
    const ItemRow row = MakeItemRow(c.relative, std::string("C:\\M\\") + c.relative, 0x0641, true, LeadBytes::ShiftJis());
    EXPECT_EQ(row.name, c.name);
    EXPECT_EQ(row.folder, c.folder);
    EXPECT_EQ(row.relative, c.relative);
    EXPECT_EQ(row.item_path, std::string("C:\\M\\") + c.relative);
    EXPECT_EQ(row.key, 0x0641);
    EXPECT_EQ(row.stored, 0x0641);
    EXPECT_TRUE(row.has_shortcut);
  }
}

ItemKeyList ThreeItems() {
  return ItemKeyList({MakeItemRow("a.zrx", "C:\\M\\a.zrx", Key(kCtrl | kAlt, 'A'), true, LeadBytes()),
                      MakeItemRow("b.zrx", "C:\\M\\b.zrx", 0, false, LeadBytes()),
                      MakeItemRow("Sub\\c.zrx", "C:\\M\\Sub\\c.zrx", Key(kCtrl | kAlt, 'C'), true, LeadBytes())});
}

TEST(OptionsHotKeysTest, OkHandsOnOnlyWhatChangedAndRefusesTheFirstBadKey) {
  struct Edit {
    std::size_t row;
    std::uint16_t key;
  };
  struct Case {
    const char* what;
    std::vector<Edit> edits;
    std::map<std::string, std::uint16_t> changes;
    std::optional<std::size_t> refused_row;
    HotKeyProblem problem;
    std::optional<std::size_t> other;
  } cases[] = {
      {"nothing typed", {}, {}, {}, HotKeyProblem::kNone, {}},
      {"a new key", {{1, Key(kCtrl | kAlt, 'B')}}, {{"b.zrx", Key(kCtrl | kAlt, 'B')}}, {}, HotKeyProblem::kNone, {}},
      {"a key cleared", {{2, 0}}, {{"Sub\\c.zrx", 0}}, {}, HotKeyProblem::kNone, {}},
      {"typed and put back", {{0, Key(kCtrl | kAlt, 'X')}, {0, Key(kCtrl | kAlt, 'A')}}, {}, {}, HotKeyProblem::kNone, {}},
      {"a row beyond the list", {{3, Key(kCtrl | kAlt, 'B')}}, {}, {}, HotKeyProblem::kNone, {}},
      {"another item's key", {{1, Key(kCtrl | kAlt, 'C')}}, {{"b.zrx", Key(kCtrl | kAlt, 'C')}}, 1,
       HotKeyProblem::kNone, 2},
      {"keys swapped", {{0, Key(kCtrl | kAlt, 'C')}, {2, Key(kCtrl | kAlt, 'A')}},
       {{"a.zrx", Key(kCtrl | kAlt, 'C')}, {"Sub\\c.zrx", Key(kCtrl | kAlt, 'A')}}, {}, HotKeyProblem::kNone, {}},
      {"one modifier on a letter", {{1, Key(kCtrl, 'B')}}, {{"b.zrx", Key(kCtrl, 'B')}}, 1,
       HotKeyProblem::kNeedsTwoModifiers, {}},
      {"modifiers only", {{1, Key(kCtrl | kAlt, 0)}}, {{"b.zrx", Key(kCtrl | kAlt, 0)}}, 1, HotKeyProblem::kNoKey, {}},
      {"the first of two bad rows", {{2, Key(kCtrl, 'Q')}, {1, Key(kCtrl | kAlt, 'A')}},
       {{"b.zrx", Key(kCtrl | kAlt, 'A')}, {"Sub\\c.zrx", Key(kCtrl, 'Q')}}, 1, HotKeyProblem::kNone, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ItemKeyList list = ThreeItems();
    for (const Edit& edit : c.edits) list.SetKey(edit.row, edit.key);
    EXPECT_EQ(list.Changes(), c.changes);
    const std::optional<KeyRefusal> refusal = list.FirstRefusal();
    ASSERT_EQ(refusal.has_value(), c.refused_row.has_value());
    if (!refusal) continue;
    EXPECT_EQ(refusal->row, *c.refused_row);
    EXPECT_EQ(refusal->problem, c.problem);
    EXPECT_EQ(refusal->other, c.other);
  }
}

TEST(OptionsHotKeysTest, KeysSharedBeforeInTheShortcutsAreLeftAlone) {
  // Two shortcuts given one key in their properties, and one with a key
  // Explorer would not take: not this page's to refuse while untouched.
  ItemKeyList list({MakeItemRow("a.zrx", "C:\\M\\a.zrx", Key(kCtrl | kAlt, 'A'), true, LeadBytes()),
                    MakeItemRow("b.zrx", "C:\\M\\b.zrx", Key(kCtrl | kAlt, 'A'), true, LeadBytes()),
                    MakeItemRow("c.zrx", "C:\\M\\c.zrx", Key(kCtrl, 'C'), true, LeadBytes())});
  EXPECT_FALSE(list.FirstRefusal());
  EXPECT_TRUE(list.Changes().empty());
}

}  // namespace
}  // namespace zrnx

// The real Zrnx.exe under Wine with the Japanese locale: placeholders of
// .zrx items filled from the clock and the patterns of the program's own
// settings file; other items sent as read.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <variant>
#include <vector>

#include "wine/desktop_support.h"
#include "wine/support/wine_support.h"

namespace zrnx::test {
namespace {

using Values = std::array<std::string, 10>;

std::string Printf(const char* format, int a, int b = 0, int c = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

// The values of the patterns set below, written out by hand for one reading
// of the clock.
Values ExpectedValues(const SYSTEMTIME& t) {
  static const char* const days[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  static const char* const months[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
  static const char* const japanese_days[] = {"日", "月", "火", "水", "木", "金", "土"};
  Values v;
  v[0] = Printf("%04d/%02d/%02d", t.wYear, t.wMonth, t.wDay);
  v[1] = Printf("%d時%02d分", t.wHour, t.wMinute);
  v[2] = std::string(days[t.wDayOfWeek]) + ", " + months[t.wMonth - 1] + Printf(" %d", t.wDay);
  v[3] = Printf("%d年%d月%d日", t.wYear, t.wMonth, t.wDay);
  v[5] = Printf("%d/%d/%d", t.wYear, t.wMonth, t.wDay);
  v[4] = "x<" + v[5] + ">";
  v[6] = v[3] + "(" + japanese_days[t.wDayOfWeek] + ")";
  const int hour12 = t.wHour % 12 == 0 ? 12 : t.wHour % 12;
  v[9] = (t.wHour < 12 ? "AM " : "PM ") + Printf("%02d:%02d", hour12, t.wMinute);
  return v;
}

// Literal text, or the value of one placeholder.
using Segment = std::variant<std::string, int>;

// Each value may come from either reading of the clock (each value is
// formatted at its own moment), literals must match exactly.
bool Matches(std::string_view text, const std::vector<Segment>& segments, std::size_t i, const Values& before,
             const Values& after) {
  if (i == segments.size()) return text.empty();
  if (const auto* literal = std::get_if<std::string>(&segments[i])) {
    return text.substr(0, literal->size()) == *literal &&
           Matches(text.substr(literal->size()), segments, i + 1, before, after);
  }
  const int n = std::get<int>(segments[i]);
  for (const Values* values : {&before, &after}) {
    const std::string& value = (*values)[n];
    if (text.substr(0, value.size()) == value && Matches(text.substr(value.size()), segments, i + 1, before, after))
      return true;
  }
  return false;
}

class SenderDatesTest : public ::testing::Test {
 protected:
  // Runs `program` on the item in clipboard-only mode; the clipboard text.
  std::string Send(const std::string& program, const std::string& item) {
    SetClipboardText("before");
    Process sender(Quote(program) + " " + Quote(item), sandbox_.Dir());
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(0)) << item;
    return ReadClipboardText().value_or("(no text)");
  }

  Sandbox sandbox_;
};

const char kSettings[] =
    "[Option]\r\n"
    "DateFormat1=h\"時\"nn\"分\"\r\n"
    "DateFormat2=dddd, mmmm d\r\n"
    "DateFormat4=x\"<%d5%>\"\r\n"
    "DateFormat5=yyyy/m/d\r\n";
const char kItem[] = "今日は%d0%、%d3%(%d6%)\r\n時刻%d1% [%d2%] %d4% %%d0%% %D0% %d9% ｶﾅ表示\r\n";
const std::vector<Segment> kExpected = {
    "今日は", 0, "、", 3, "(", 6, ")\r\n時刻", 1, " [", 2, "] ", 4, " %d0% %D0% ", 9, " ｶﾅ表示\r\n"};

TEST_F(SenderDatesTest, ZrxItemGetsTheValuesOfTheClockAndTheSettings) {
  const std::string program = sandbox_.Copy("Zrnx.exe");
  sandbox_.WriteFile("Zrnx.ini", kSettings);
  const std::string item = sandbox_.WriteFile("挨拶.zrx", kItem);

  SYSTEMTIME before{}, after{};
  GetLocalTime(&before);
  const std::string text = Send(program, item);
  GetLocalTime(&after);
  EXPECT_TRUE(Matches(text, kExpected, 0, ExpectedValues(before), ExpectedValues(after))) << text;
}

TEST_F(SenderDatesTest, PastedIntoNotepadWithTheClockValues) {
  const std::string program = sandbox_.Copy("Zrnx.exe");
  sandbox_.WriteFile("Zrnx.ini", kSettings);
  const std::string item = sandbox_.WriteFile("挨拶.zrx", kItem);
  Notepad notepad;
  ASSERT_TRUE(notepad.ComeForward());

  SYSTEMTIME before{}, after{};
  GetLocalTime(&before);
  Process sender(Quote(program) + " /p " + Quote(item), sandbox_.Dir());
  EXPECT_EQ(sender.Wait(), std::optional<DWORD>(0));
  GetLocalTime(&after);
  const Values early = ExpectedValues(before), late = ExpectedValues(after);
  EXPECT_TRUE(WaitUntil([&] { return Matches(notepad.Text(), kExpected, 0, early, late); }, kDefaultTimeout))
      << notepad.Text();
}

TEST_F(SenderDatesTest, OnlyZrxItemsAreExpandedInAnyLetterCase) {
  const std::string program = sandbox_.Copy("Zrnx.exe");
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nDateFormat0=x\"zero\"\r\n");
  EXPECT_EQ(Send(program, sandbox_.WriteFile("plain.txt", "%d0% %%d0%%")), "%d0% %%d0%%");
  EXPECT_EQ(Send(program, sandbox_.WriteFile("LOUD.ZRX", "%d0% %%d0%%")), "xzero %d0%");
}

}  // namespace
}  // namespace zrnx::test

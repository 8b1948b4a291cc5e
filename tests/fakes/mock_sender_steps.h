#pragma once
// The run's steps as a GoogleMock class, for the tests of the run's order.

#include <gmock/gmock.h>

#include "sender/run.h"

namespace zrnx::test {

class MockSteps : public SenderSteps {
 public:
  MOCK_METHOD(void, PrepareDateNames, (), (override));
  MOCK_METHOD(void, ShowMessage, (std::string_view, std::string_view, unsigned), (override));
  MOCK_METHOD(void, ShowMessageWithValue, (std::string_view, std::string_view, std::string_view, unsigned), (override));
  MOCK_METHOD(void, ShowMessageWithPath, (std::string_view, std::wstring_view, std::string_view, unsigned),
              (override));
  MOCK_METHOD(bool, ItemFileExists, (const std::wstring&), (override));
  MOCK_METHOD(ItemText, LoadItemText, (const std::wstring&, const std::wstring&), (override));
  MOCK_METHOD(ItemText, ExpandDatePlaceholders, (const ItemText&, const DateFormats&), (override));
  MOCK_METHOD(void, PutTextOnClipboard, (ItemText), (override));
  MOCK_METHOD(WindowHandle, FindTargetWindow, (), (override));
  MOCK_METHOD(bool, IsWindow, (WindowHandle), (override));
  MOCK_METHOD(bool, IsHung, (WindowHandle), (override));
  MOCK_METHOD(WindowHandle, ActivateTargetWindow, (WindowHandle), (override));
  MOCK_METHOD(void, WaitBeforePaste, (std::int32_t), (override));
  MOCK_METHOD(PasteDelivery, SendPasteKey, (std::int32_t, WindowHandle), (override));
  MOCK_METHOD(WindowHandle, ForegroundWindow, (), (override));
  MOCK_METHOD(WindowHandle, RootOwner, (WindowHandle), (override));
  MOCK_METHOD(std::optional<std::uint32_t>, OwnIntegrityLevel, (), (override));
  MOCK_METHOD(std::optional<std::uint32_t>, IntegrityLevel, (WindowHandle), (override));
  MOCK_METHOD(bool, LockClipboard, (), (override));
  MOCK_METHOD(void, KeepClipboard, (), (override));
  MOCK_METHOD(GiveBackOutcome, GiveClipboardBack, (), (override));
  MOCK_METHOD(void, SettleClipboard, (), (override));
  MOCK_METHOD(void, KeepItemShortcuts, (const std::wstring&), (override));
  MOCK_METHOD(ItemText, DecodeItemText, (const ItemText&), (override));
  MOCK_METHOD(std::optional<std::string>, ReadClipboardText, (), (override));
  MOCK_METHOD((std::optional<std::vector<std::string>>), AskQuestions, (const std::vector<std::string>&, std::size_t),
              (override));
  MOCK_METHOD(void, PrepareCaretPlacement, (), (override));
  MOCK_METHOD(void, MoveCaretBack, (const CaretPlacement&), (override));
};

}  // namespace zrnx::test

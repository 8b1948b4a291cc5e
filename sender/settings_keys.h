#pragma once
// Sections, keys and defaults of the settings file as the item sender uses them.

#include <array>
#include <string_view>

namespace zrnx {

inline constexpr std::string_view kOptionSection = "Option";
inline constexpr std::string_view kThroughWindowSection = "ThroughWindow";
inline constexpr std::string_view kSendKeyPasteKey = "SendKey_Paste";
inline constexpr std::string_view kItemCountKey = "ItemCount";
inline constexpr std::string_view kClassNameKey = "ClassName";

inline constexpr std::array<std::string_view, 10> kDateFormatKeys = {
    "DateFormat0", "DateFormat1", "DateFormat2", "DateFormat3", "DateFormat4",
    "DateFormat5", "DateFormat6", "DateFormat7", "DateFormat8", "DateFormat9"};

inline constexpr std::array<std::string_view, 10> kDefaultDateFormats = {
    "yyyy/mm/dd",
    "hh:mm",
    "yyyy/mm/dd hh:mm",
    "yyyy\"年\"m\"月\"d\"日\"",
    "h\"時\"m\"分\"",
    "yyyy\"年\"m\"月\"d\"日\" h\"時\"m\"分\"",
    "yyyy\"年\"m\"月\"d\"日\"(aaa)",
    "gge\"年\"m\"月\"d\"日\"",
    "gge\"年\"m\"月\"d\"日\" aaaa",
    "AM/PM hh:mm"};

}  // namespace zrnx

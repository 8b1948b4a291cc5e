// Item decoding takes any bytes: the result is valid UTF-8 without zero bytes
// for a decoded item, and the bytes themselves (zeros as spaces) otherwise.
#include <cstddef>
#include <cstdint>
#include <string>

#include "sender/item_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  for (const zrnx::LeadBytes& lead : {zrnx::LeadBytes::ShiftJis(), zrnx::LeadBytes()}) {
    const zrnx::ItemText text = zrnx::DecodeItemBytes(bytes, lead);
    if (text.bytes.find('\0') != std::string::npos) __builtin_trap();
    if (text.encoding == zrnx::TextEncoding::kCodePage) {
      if (text.bytes.size() != bytes.size()) __builtin_trap();
      continue;
    }
    // Decoded text is well-formed: repairing it changes nothing.
    if (zrnx::RepairUtf8(text.bytes) != text.bytes) __builtin_trap();
  }
  if (zrnx::RepairUtf8(bytes).size() > 3 * bytes.size()) __builtin_trap();
  return 0;
}

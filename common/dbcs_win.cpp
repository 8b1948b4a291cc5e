#include <windows.h>

#include "common/dbcs.h"
#include "common/wide_text_win.h"

namespace zrnx {

const LeadBytes& SystemLeadBytes() {
  static const LeadBytes lead = [] {
    LeadBytes table;
    CPINFO info{};
    if (GetCPInfo(CP_ACP, &info)) {
      // Pairs of (first, last), ended by a pair of zeros.
      for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
        table.AddRange(info.LeadByte[i], info.LeadByte[i + 1]);
    }
    return table;
  }();
  return lead;
}

std::string SystemCodePageBytes(std::wstring_view text) { return DataBytes(text); }

}  // namespace zrnx

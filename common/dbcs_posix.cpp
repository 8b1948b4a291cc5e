#include "common/dbcs.h"

namespace zrnx {

const LeadBytes& SystemLeadBytes() {
  static const LeadBytes lead = LeadBytes::ShiftJis();
  return lead;
}

}  // namespace zrnx

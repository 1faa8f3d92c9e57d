// Off Windows there is no system code page to ask: the host build behaves as
// the systems the program is made for, code page 932.
#include "core/ansi_text.h"

namespace velm {

const LeadByteTable& SystemLeadBytes() {
  static const LeadByteTable table = LeadByteTable::ForCodePage(932);
  return table;
}

}  // namespace velm

// The Windows build takes the lead bytes from the running system, whatever
// its ANSI code page.
#include <windows.h>

#include "core/ansi_text.h"

namespace velm {

const LeadByteTable& SystemLeadBytes() {
  static const LeadByteTable table =
      LeadByteTable::From([](unsigned char c) { return IsDBCSLeadByte(c) != FALSE; });
  return table;
}

}  // namespace velm

#include "core/ansi_text.h"

namespace velm {

namespace {

struct Range {
  unsigned char first, last;
};

LeadByteTable FromRanges(std::initializer_list<Range> ranges) {
  return LeadByteTable::From([&](unsigned char c) {
    for (const Range& r : ranges) {
      if (c >= r.first && c <= r.last) return true;
    }
    return false;
  });
}

}  // namespace

LeadByteTable LeadByteTable::ForCodePage(unsigned code_page) {
  switch (code_page) {
    case 932:  // Shift-JIS
      return FromRanges({{0x81, 0x9F}, {0xE0, 0xFC}});
    case 936:  // GBK
    case 949:  // Unified Hangul
    case 950:  // Big5
      return FromRanges({{0x81, 0xFE}});
    case 1361:  // Johab
      return FromRanges({{0x84, 0xD3}, {0xD8, 0xDE}, {0xE0, 0xF9}});
    default:
      return LeadByteTable();
  }
}

std::size_t CutLength(std::string_view text, std::size_t max, const LeadByteTable& lead) {
  if (text.size() <= max) return text.size();
  std::size_t i = 0;
  while (i < max) {
    const std::size_t width = lead.IsLead(static_cast<unsigned char>(text[i])) ? 2 : 1;
    if (i + width > max) break;
    i += width;
  }
  return i;
}

// Counted from the end: a character begins after any byte that cannot lead,
// and the lead bytes from there on pair up.
std::size_t WholeLength(std::string_view text, const LeadByteTable& lead) {
  std::size_t leads = 0;
  while (leads < text.size() &&
         lead.IsLead(static_cast<unsigned char>(text[text.size() - 1 - leads]))) {
    ++leads;
  }
  return leads % 2 == 0 ? text.size() : text.size() - 1;
}

std::size_t FolderLength(std::string_view path, const LeadByteTable& lead) {
  std::size_t folder_end = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (lead.IsLead(c) && i + 1 < path.size()) {
      ++i;
    } else if (c == '\\' || c == '/') {
      folder_end = i + 1;
    }
  }
  return folder_end;
}

}  // namespace velm

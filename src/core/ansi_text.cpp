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

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The bytes a UTF-8 sequence that begins with lead has, 1 for a byte that
// begins none (a continuation byte, C0, C1 or F5 and above).
std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 1;
}

}  // namespace

LeadByteTable LeadByteTable::ForCodePage(unsigned code_page) {
  switch (code_page) {
    case kUtf8CodePage: {
      LeadByteTable table;
      table.utf8_ = true;
      return table;
    }
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

std::size_t LeadByteTable::CharLength(std::string_view text) const {
  if (text.empty()) return 0;
  const auto first = static_cast<unsigned char>(text[0]);
  if (!utf8_) return lead_[first] && text.size() > 1 ? 2 : 1;
  const std::size_t wanted = Utf8SequenceLength(first);
  std::size_t length = 1;
  while (length < wanted && length < text.size() && IsContinuation(text[length])) ++length;
  // A broken sequence: its lead byte stands alone, as the conversion takes it.
  return length == wanted || length == text.size() ? length : 1;
}

std::size_t CutLength(std::string_view text, std::size_t max, const LeadByteTable& lead) {
  if (text.size() <= max) return text.size();
  std::size_t i = 0;
  while (i < max) {
    const std::size_t width = lead.CharLength(text.substr(i));
    if (i + width > max) break;
    i += width;
  }
  return i;
}

// Counted from the end: a character begins after any byte that cannot lead,
// and the lead bytes from there on pair up. In UTF-8 the last sequence is
// found by its continuation bytes.
std::size_t WholeLength(std::string_view text, const LeadByteTable& lead) {
  if (lead.IsUtf8()) {
    if (text.empty()) return 0;
    const std::size_t last = LastCharStart(text, lead);
    const std::size_t tail = text.size() - last;
    return tail < Utf8SequenceLength(static_cast<unsigned char>(text[last])) ? last : text.size();
  }
  std::size_t leads = 0;
  while (leads < text.size() &&
         lead.IsLead(static_cast<unsigned char>(text[text.size() - 1 - leads]))) {
    ++leads;
  }
  return leads % 2 == 0 ? text.size() : text.size() - 1;
}

std::size_t LastCharStart(std::string_view text, const LeadByteTable& lead) {
  if (lead.IsUtf8()) {
    std::size_t start = text.size() - 1;
    while (start > 0 && text.size() - start < 4 && IsContinuation(text[start])) --start;
    const std::size_t length = lead.CharLength(text.substr(start));
    // Continuation bytes after a whole character are characters of their own.
    return start + length >= text.size() ? start : text.size() - 1;
  }
  // The last byte is a trail byte when an odd run of lead bytes precedes it.
  std::size_t leads = 0;
  while (leads + 1 < text.size() &&
         lead.IsLead(static_cast<unsigned char>(text[text.size() - 2 - leads]))) {
    ++leads;
  }
  return leads % 2 == 1 ? text.size() - 2 : text.size() - 1;
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

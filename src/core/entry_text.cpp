#include "core/entry_text.h"

#include "core/ansi_text.h"

namespace velm {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHigh(char16_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLow(char16_t u) {
  return u >= 0xDC00 && u <= 0xDFFF;
}

// The code point at the start of text and its bytes, 0 bytes when the
// start is no character of WTF-8 (a surrogate pair spelt as two three-byte
// sequences included: Utf16ToWtf8 never writes one).
std::size_t Decode(std::string_view text, char32_t* c) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    *c = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, min = 0x80, *c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, min = 0x800, *c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, min = 0x10000, *c = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    *c = *c << 6 | (byte(i) & 0x3F);
  }
  if (*c < min || *c > 0x10FFFF) return 0;
  if (IsHigh(static_cast<char16_t>(*c)) && *c < 0x10000 && text.size() >= length + 3) {
    // A high surrogate followed by a low one would be a pair: not WTF-8.
    char32_t next = 0;
    if (Decode(text.substr(length, 3), &next) == 3 && IsLow(static_cast<char16_t>(next))) return 0;
  }
  return length;
}

}  // namespace

std::string Utf16ToWtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t u = utf16[i];
    if (IsHigh(u) && i + 1 < utf16.size() && IsLow(utf16[i + 1])) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10 | (utf16[i + 1] - 0xDC00)));
      ++i;
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

std::u16string Wtf8ToUtf16(std::string_view wtf8) {
  std::u16string out;
  out.reserve(wtf8.size());
  while (!wtf8.empty()) {
    char32_t c = 0;
    std::size_t length = Decode(wtf8, &c);
    if (length == 0) {
      c = 0xFFFD;
      length = 1;
    }
    wtf8.remove_prefix(length);
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::optional<std::string> ExactAnsi(std::string_view text) {
  // A look-alike or the default character does not come back as what it
  // stood for, and neither does a lone surrogate: the round trip tells.
  std::string ansi = Utf8ToAnsi(text);
  if (AnsiToUtf8(ansi) != text) return std::nullopt;
  return ansi;
}

std::size_t BackupUnits(std::string_view text) {
  if (const std::optional<std::string> ansi = ExactAnsi(text)) return ansi->size();
  return Wtf8ToUtf16(text).size();
}

}  // namespace velm

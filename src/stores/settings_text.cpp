#include "stores/settings_text.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace velm {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr char16_t kReplacement = 0xFFFD;

std::u16string Utf16FromBytes(std::string_view bytes, bool big_endian) {
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    out[i] = static_cast<char16_t>(big_endian ? (first << 8 | second) : (second << 8 | first));
  }
  return out;
}

std::string Utf16ToBytes(std::u16string_view text, bool big_endian) {
  std::string out(text.size() * 2, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto high = static_cast<char>(text[i] >> 8);
    const auto low = static_cast<char>(text[i] & 0xFF);
    out[2 * i] = big_endian ? high : low;
    out[2 * i + 1] = big_endian ? low : high;
  }
  return out;
}

bool IsAscii(char c) {
  return static_cast<unsigned char>(c) < 0x80;
}

// The first byte above 0x7F at or after from, or npos. 32 bytes at a time:
// a whole file of ASCII is the common case.
std::size_t FindHigh(std::string_view s, std::size_t from) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t i = from;
  for (; i + 32 <= s.size(); i += 32) {
    std::uint64_t words[4];
    std::memcpy(words, s.data() + i, sizeof words);
    if ((words[0] | words[1] | words[2] | words[3]) & kHighBits) break;
  }
  for (; i < s.size(); ++i) {
    if (!IsAscii(s[i])) return i;
  }
  return std::string_view::npos;
}

std::size_t FindAscii(std::string_view s, std::size_t from) {
  for (std::size_t i = from; i < s.size(); ++i) {
    if (IsAscii(s[i])) return i;
  }
  return std::string_view::npos;
}

// Fewer ASCII bytes than this between two bytes above 0x7F go through the
// codec with them: a codec call per double-byte character would cost more
// than the bytes it spares.
constexpr std::size_t kShortestAsciiGap = 64;

// Where a stretch for the codec that begins at from may end: right after an
// ASCII byte (only bytes above 0x7F lead, so a character begins there) that
// a long run of ASCII or the end of the text follows.
std::size_t StretchEnd(std::string_view s, std::size_t from) {
  std::size_t end = from;
  while (true) {
    const std::size_t ascii = FindAscii(s, end);
    if (ascii == std::string_view::npos) return s.size();
    end = ascii + 1;
    const std::size_t next = FindHigh(s, end);
    if (next == std::string_view::npos || next - end >= kShortestAsciiGap) return end;
    end = next;
  }
}

void AppendCodePoint(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80                   ? 1
                       : lead >= 0xC2 && lead < 0xE0 ? 2
                       : lead >= 0xE0 && lead < 0xF0 ? 3
                       : lead >= 0xF0 && lead < 0xF5 ? 4
                                                     : 0;
    char32_t c = length == 1   ? lead
                 : length == 2 ? lead & 0x1F
                 : length == 3 ? lead & 0x0F
                               : lead & 0x07;
    int taken = 1;
    while (length > 1 && taken < length && i + taken < utf8.size()) {
      const auto next = static_cast<unsigned char>(utf8[i + taken]);
      if ((next & 0xC0) != 0x80) break;
      c = (c << 6) | (next & 0x3F);
      ++taken;
    }
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    if (length == 0 || taken != length || overlong || surrogate || c > 0x10FFFF) {
      out += kReplacement;
      i += length == 0 ? 1 : static_cast<std::size_t>(taken);
      continue;
    }
    AppendCodePoint(out, c);
    i += static_cast<std::size_t>(length);
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    const bool high = c >= 0xD800 && c < 0xDC00;
    if (high && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = kReplacement;  // a lone half of a pair
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string AnsiRoundTrip(std::string text, SettingsFile& codec) {
  const std::string_view all(text);
  std::size_t from = FindHigh(all, 0);
  if (from == std::string_view::npos) return text;
  std::string out;
  out.reserve(all.size());
  std::size_t done = 0;
  while (from != std::string_view::npos) {
    const std::size_t end = StretchEnd(all, from);
    out.append(all.substr(done, from - done));
    out += codec.Narrow(codec.Widen(all.substr(from, end - from)));
    done = end;
    from = FindHigh(all, end);
  }
  out.append(all.substr(done));
  return out;
}

SettingsText DecodeSettingsText(std::string bytes, SettingsFile& codec) {
  std::string_view view(bytes);
  if (view.starts_with(kUtf8Bom)) {
    view.remove_prefix(kUtf8Bom.size());
    return {TextEncoding::kUtf8, codec.Narrow(Utf8ToUtf16(view))};
  }
  if (view.starts_with(kUtf16LeBom) || view.starts_with(kUtf16BeBom)) {
    const bool big_endian = view.starts_with(kUtf16BeBom);
    view.remove_prefix(kUtf16LeBom.size());
    return {big_endian ? TextEncoding::kUtf16Be : TextEncoding::kUtf16Le,
            codec.Narrow(Utf16FromBytes(view, big_endian))};
  }
  // As the platform reads the file: a byte the code page cannot take reads
  // as the code page's default character.
  return {TextEncoding::kAnsi, AnsiRoundTrip(std::move(bytes), codec)};
}

std::string EncodeSettingsText(SettingsText text, SettingsFile& codec) {
  switch (text.encoding) {
    case TextEncoding::kUtf8:
      return std::string(kUtf8Bom) + Utf16ToUtf8(codec.Widen(text.ansi));
    case TextEncoding::kUtf16Le:
      return std::string(kUtf16LeBom) + Utf16ToBytes(codec.Widen(text.ansi), false);
    case TextEncoding::kUtf16Be:
      return std::string(kUtf16BeBom) + Utf16ToBytes(codec.Widen(text.ansi), true);
    case TextEncoding::kAnsi:
      break;
  }
  return std::move(text.ansi);
}

}  // namespace velm

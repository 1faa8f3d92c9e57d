// Off Windows there is no system code page to ask: the host build behaves as
// the systems the program is made for, code page 932, and converts with
// iconv, falling back where Windows does. Other code pages are converted on
// request only (the texts are put in 932's and in UTF-8's form by a test).
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>

#include "core/ansi_text.h"

namespace velm {

namespace {

constexpr unsigned kCodePage = 932;
constexpr char kUnicodeDefault[] = "\xE3\x83\xBB";  // U+30FB, 932's default character
constexpr char kReplacement[] = "\xEF\xBF\xBD";     // U+FFFD

// Single bytes that Windows maps to code points of their own in 932 and
// iconv does not know: U+0080, U+F8F0 to U+F8F3.
constexpr std::pair<char, std::string_view> kWindowsOnly[] = {{'\x80', "\xC2\x80"},
                                                              {'\xA0', "\xEF\xA3\xB0"},
                                                              {'\xFD', "\xEF\xA3\xB1"},
                                                              {'\xFE', "\xEF\xA3\xB2"},
                                                              {'\xFF', "\xEF\xA3\xB3"}};

// What stands in for input that has no character in the other encoding, and
// how many input bytes it takes.
struct Fallback {
  std::string_view text;
  std::size_t taken;
};

// The bytes of the UTF-8 character at the start of text, or of as much of
// one as is there; 1 for a byte that begins none.
std::size_t Utf8Length(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
  std::size_t i = 1;
  while (i < length && i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) {
    ++i;
  }
  return i;
}

Fallback FromCodePage(std::string_view rest) {
  for (const auto& [byte, utf8] : kWindowsOnly) {
    if (rest[0] == byte) return {utf8, 1};
  }
  const bool pair = SystemLeadBytes().IsLead(static_cast<unsigned char>(rest[0])) &&
                    rest.size() > 1 && rest[1] != '\0';
  return {kUnicodeDefault, pair ? 2u : 1u};
}

// iconv's name of a Windows code page.
std::string IconvName(unsigned code_page) {
  return code_page == kUtf8CodePage ? "UTF-8" : "CP" + std::to_string(code_page);
}

Fallback ToCodePage(std::string_view rest, unsigned code_page) {
  const std::size_t length = Utf8Length(rest);
  for (const auto& [byte, utf8] : kWindowsOnly) {
    if (code_page == kCodePage && rest.substr(0, length) == utf8)
      return {std::string_view(&byte, 1), length};
  }
  return {"?", length};
}

template <typename Bad>
std::string Convert(const char* from, const char* to, std::string_view text, Bad bad) {
  iconv_t cd = iconv_open(to, from);
  std::string out(text.size() * 2 + 8, '\0');
  std::size_t done = 0;
  while (!text.empty()) {
    char* in = const_cast<char*>(text.data());
    std::size_t in_left = text.size();
    char* at = out.data() + done;
    std::size_t out_left = out.size() - done;
    const std::size_t result = iconv(cd, &in, &in_left, &at, &out_left);
    const int error = errno;
    done = out.size() - out_left;
    text.remove_prefix(text.size() - in_left);
    if (result != static_cast<std::size_t>(-1)) break;
    if (error == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    const Fallback fallback = bad(text);
    out.resize(done);
    out += fallback.text;
    done = out.size();
    out.resize(done * 2 + 8);
    text.remove_prefix(std::min(fallback.taken, text.size()));
  }
  iconv_close(cd);
  out.resize(done);
  return out;
}

}  // namespace

const LeadByteTable& SystemLeadBytes() {
  static const LeadByteTable table = LeadByteTable::ForCodePage(kCodePage);
  return table;
}

unsigned AnsiCodePage() {
  return kCodePage;
}

std::string AnsiToUtf8(std::string_view ansi) {
  return Convert(IconvName(kCodePage).c_str(), "UTF-8", ansi, FromCodePage);
}

std::string Utf8ToAnsi(std::string_view utf8) {
  return Utf8ToCodePage(utf8, kCodePage);
}

std::string Utf8ToCodePage(std::string_view utf8, unsigned code_page) {
  return Convert("UTF-8", IconvName(code_page).c_str(), utf8,
                 [code_page](std::string_view rest) { return ToCodePage(rest, code_page); });
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  const std::string_view bytes(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2);
  return Convert("UTF-16LE", "UTF-8", bytes, [](std::string_view) {
    return Fallback{kReplacement, 2};
  });
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  const std::string bytes = Convert("UTF-8", "UTF-16LE", utf8, [](std::string_view) {
    return Fallback{"\xFD\xFF", 1};
  });
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return out;
}

std::u16string AnsiToUtf16(std::string_view ansi) {
  return Utf8ToUtf16(AnsiToUtf8(ansi));
}

std::string Utf16ToAnsi(std::u16string_view utf16) {
  return Utf8ToAnsi(Utf16ToUtf8(utf16));
}

}  // namespace velm

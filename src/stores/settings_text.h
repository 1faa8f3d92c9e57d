// The bytes of velm.ini as text in the ANSI code page, and back. A file that
// begins with a byte-order mark (UTF-8, UTF-16 LE or BE) is read and written
// in that encoding, as the private-profile functions do: its text reaches
// the program converted to the ANSI code page.
#pragma once

#include <string>
#include <string_view>

#include "stores/settings_file.h"

namespace velm {

enum class TextEncoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

struct SettingsText {
  TextEncoding encoding = TextEncoding::kAnsi;
  std::string ansi;
};

SettingsText DecodeSettingsText(std::string bytes, SettingsFile& codec);
std::string EncodeSettingsText(SettingsText text, SettingsFile& codec);

// ANSI text through UTF-16 and back, as the platform takes it in: a byte the
// code page cannot take (a lead byte without its trail byte) comes back as
// the code page's default character. Only the stretches around bytes above
// 0x7F go through the codec: ASCII is the same in every ANSI code page, and
// no character continues past an ASCII byte, so the result is the same.
std::string AnsiRoundTrip(std::string text, SettingsFile& codec);

// UTF-8 and UTF-16 of the same text; invalid UTF-8 becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace velm

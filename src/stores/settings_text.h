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

SettingsText DecodeSettingsText(std::string_view bytes, SettingsFile& codec);
std::string EncodeSettingsText(const SettingsText& text, SettingsFile& codec);

// UTF-8 and UTF-16 of the same text; invalid UTF-8 becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace velm

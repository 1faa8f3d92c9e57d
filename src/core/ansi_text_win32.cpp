// The Windows build asks the running system: the lead bytes of its ANSI code
// page, and the conversions the private-profile functions make.
#include <windows.h>

#include "core/ansi_text.h"

namespace velm {

namespace {

std::wstring Wide(UINT code_page, std::string_view text) {
  const int size = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string Narrow(UINT code_page, std::wstring_view wide) {
  const int size = static_cast<int>(wide.size());
  std::string text(static_cast<std::size_t>(WideCharToMultiByte(code_page, 0, wide.data(), size,
                                                                nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), size, text.data(), static_cast<int>(text.size()),
                      nullptr, nullptr);
  return text;
}

// wchar_t is UTF-16 on Windows.
std::wstring_view AsWide(std::u16string_view text) {
  return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

}  // namespace

// IsDBCSLeadByte says nothing of UTF-8: every byte answers no.
const LeadByteTable& SystemLeadBytes() {
  static const LeadByteTable table =
      GetACP() == CP_UTF8
          ? LeadByteTable::ForCodePage(kUtf8CodePage)
          : LeadByteTable::From([](unsigned char c) { return IsDBCSLeadByte(c) != FALSE; });
  return table;
}

unsigned AnsiCodePage() {
  return GetACP();
}

std::string AnsiToUtf8(std::string_view ansi) {
  return Narrow(CP_UTF8, Wide(CP_ACP, ansi));
}

std::string Utf8ToAnsi(std::string_view utf8) {
  return Narrow(CP_ACP, Wide(CP_UTF8, utf8));
}

std::string Utf8ToCodePage(std::string_view utf8, unsigned code_page) {
  return Narrow(code_page, Wide(CP_UTF8, utf8));
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  return Narrow(CP_UTF8, AsWide(utf16));
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  const std::wstring wide = Wide(CP_UTF8, utf8);
  return {reinterpret_cast<const char16_t*>(wide.data()), wide.size()};
}

std::u16string AnsiToUtf16(std::string_view ansi) {
  const std::wstring wide = Wide(CP_ACP, ansi);
  return {reinterpret_cast<const char16_t*>(wide.data()), wide.size()};
}

std::string Utf16ToAnsi(std::u16string_view utf16) {
  return Narrow(CP_ACP, AsWide(utf16));
}

}  // namespace velm

#include "stores/settings.h"

#include <cstdint>
#include <utility>

#include "core/ansi_text.h"
#include "core/ascii_text.h"
#include "core/error.h"
#include "core/texts.h"

namespace velm {

namespace {

bool IsDecimalDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One or more hex digits up to the end; the 32 bits are taken as a signed
// pattern, so "$FFFFFFFF" is -1.
bool ParseHex(std::string_view digits, std::int32_t* out) {
  if (digits.empty()) return false;
  std::uint64_t value = 0;
  for (char c : digits) {
    int d = HexDigitValue(c);
    if (d < 0) return false;
    value = value * 16 + static_cast<std::uint64_t>(d);
    if (value > 0xFFFFFFFFu) return false;
  }
  *out = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  return true;
}

bool ParseDecimal(std::string_view digits, bool negative, std::int32_t* out) {
  if (digits.empty()) return false;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  for (char c : digits) {
    if (!IsDecimalDigit(c)) return false;
    value = value * 10 + (c - '0');
    if (value > limit) return false;
  }
  *out = static_cast<std::int32_t>(negative ? -value : value);
  return true;
}

}  // namespace

std::int32_t ParseStoredInteger(std::string_view stored, std::int32_t fallback) {
  std::string text(stored);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.replace(0, 2, "$");
  }
  std::string_view rest(text);
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  if (rest.empty()) return fallback;

  std::int32_t value = 0;
  bool ok = false;
  const char first = rest.front();
  if (first == '-' || first == '+') {
    ok = ParseDecimal(rest.substr(1), first == '-', &value);
  } else if (first == '$' || first == 'x' || first == 'X') {
    ok = ParseHex(rest.substr(1), &value);
  } else if (rest.size() >= 2 && first == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    // Only reached after leading blanks: "0x" at the very start became "$".
    ok = ParseHex(rest.substr(2), &value);
  } else {
    ok = ParseDecimal(rest, false, &value);
  }
  return ok ? value : fallback;
}

Settings::Settings(SettingsFile& file, std::string path) : file_(file), path_(std::move(path)) {
  std::string bytes;
  state_ = file_.Load(path_, &bytes);
  if (state_ != FileState::kLoaded) return;
  SettingsText text = DecodeSettingsText(std::move(bytes), file_);
  encoding_ = text.encoding;
  document_ = IniDocument::Parse(std::move(text.ansi));
}

std::string Settings::ReadString(std::string_view section, std::string_view key) const {
  return document_.Read(section, key);
}

std::int32_t Settings::ReadInteger(std::string_view section, std::string_view key,
                                   std::int32_t fallback) const {
  return ParseStoredInteger(ReadString(section, key), fallback);
}

bool Settings::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void Settings::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  // A raw line break in the file would start a new key or section.
  if (HoldsLineBreak(section) || HoldsLineBreak(key) || HoldsLineBreak(value)) {
    throw Error(ErrorKind::kSettingsWrite, FormatText(text::kSettingsWriteError, path_));
  }
  wrote_ = true;
  // The text as the platform takes it in: a C string, whose last lead byte
  // is lost when no trail byte follows it, through UTF-16 and back.
  auto taken = [this](std::string_view text) {
    text = text.substr(0, text.find('\0'));
    text = text.substr(0, WholeLength(text));
    return AnsiRoundTrip(std::string(text), file_);
  };
  if (document_.Set(taken(section), taken(key), taken(value))) changed_ = true;
}

void Settings::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void Settings::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void Settings::DeleteKey(std::string_view section, std::string_view key) {
  if (document_.Remove(section, key)) changed_ = true;
}

void Settings::Commit() {
  // Never over a file whose content could not be read: that content would
  // be lost. An unchanged document still tells a writer that the file
  // refuses writes, as a write of the same value always did.
  bool ok = state_ != FileState::kUnreadable;
  if (ok && changed_) {
    ok = file_.Replace(path_, EncodeSettingsText({encoding_, document_.Serialize()}, file_));
  } else if (ok && wrote_) {
    ok = file_.Writable(path_);
  }
  if (ok) {
    changed_ = false;
    wrote_ = false;
    state_ = FileState::kLoaded;
    return;
  }
  if (wrote_) throw Error(ErrorKind::kSettingsWrite, FormatText(text::kSettingsWriteError, path_));
}

}  // namespace velm

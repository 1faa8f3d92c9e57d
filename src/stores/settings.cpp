#include "stores/settings.h"

#include <charconv>
#include <utility>

#include "core/error.h"
#include "core/texts.h"

namespace velm {

std::int32_t ParseStoredInteger(std::string_view text, std::int32_t fallback) {
  // "0x" at the very start reads as "$"; after blanks it is read below.
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.remove_prefix(1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.empty()) return fallback;
  int base = 10;
  bool negative = false;
  if (text.front() == '-' || text.front() == '+') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  } else if (text.front() == '$' || text.front() == 'x' || text.front() == 'X') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  // Digits only: from_chars would take a "-" of its own into an unsigned.
  if (text.empty() || text.front() == '-' || text.front() == '+') return fallback;
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size()) return fallback;
  if (base == 16) {
    // The 32 bits as a signed pattern: "$FFFFFFFF" is -1.
    if (value > 0xFFFFFFFFu) return fallback;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  }
  if (value > (negative ? 2147483648u : 2147483647u)) return fallback;
  return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(value)
                                            : static_cast<std::int64_t>(value));
}

Settings::Settings(SettingsFile& file, std::string path) : file_(file), path_(std::move(path)) {
  std::string bytes;
  state_ = file_.Load(path_, &bytes);
  if (state_ == FileState::kLoaded) document_ = IniDocument::Parse(std::move(bytes));
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
  wrote_ = true;
  if (document_.Set(section, key, value)) changed_ = true;
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
    ok = file_.Replace(path_, document_.Serialize());
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

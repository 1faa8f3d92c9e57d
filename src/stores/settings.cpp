#include "stores/settings.h"

#include <charconv>
#include <utility>

#include "core/error.h"
#include "core/texts.h"

namespace velm {

std::int32_t ParseStoredInteger(std::string_view text, std::int32_t fallback) {
  while (text.starts_with(' ')) text.remove_prefix(1);
  int base = 10;
  bool negative = false;
  if (text.starts_with('-') || text.starts_with('+')) {
    negative = text.starts_with('-');
    text.remove_prefix(1);
  } else if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  }
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size()) return fallback;
  if (value > (base == 16 ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu)) return fallback;
  // Hexadecimal is the 32 bits as a signed pattern: "$FFFFFFFF" is -1.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(negative ? 0 - value : value));
}

Settings::Settings(SettingsFile& file, SettingsPath path) : file_(file), path_(std::move(path)) {
  std::string bytes;
  state_ = file_.Load(path_, &bytes);
  if (state_ == FileState::kLoaded) document_ = IniDocument::Parse(std::move(bytes));
}

void Settings::ThrowIfUnreadable() const {
  if (state_ == FileState::kUnreadable) {
    throw Error(ErrorKind::kSettingsRead, FormatText(text::kSettingsReadError, path_.ansi()));
  }
}

void Settings::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  wrote_ = true;
  if (document_.Set(section, key, value)) changed_ = true;
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
  if (!wrote_) return;
  ThrowIfUnreadable();
  throw Error(ErrorKind::kSettingsWrite, FormatText(text::kSettingsWriteError, path_.ansi()));
}

}  // namespace velm

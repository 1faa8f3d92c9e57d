// The one error type of the program. Stores and list controls throw it; only
// the dispatch of a handler (window procedure wrapper, start-up path) catches
// it and shows the error report.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace velm {

enum class ErrorKind {
  kSettingsRead,
  kSettingsWrite,
  kHistoryType,
  kHistoryRead,
  kHistoryWrite,
  kIndex,
  kInsert,
  kClipboard,
  kOther,
};

class Error : public std::runtime_error {
 public:
  // message: ANSI code-page bytes, shown to the user as they are.
  Error(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
  ErrorKind kind() const { return kind_; }

 private:
  ErrorKind kind_;
};

// Replaces the first "%s" of pattern by arg. '%' (0x25) is never a trail byte
// of a double-byte character nor a byte of a UTF-8 sequence, so a byte search
// is safe in every ANSI code page.
std::string FormatText(std::string_view pattern, std::string_view arg);
// Replaces the first "%d" of pattern by value in decimal.
std::string FormatText(std::string_view pattern, int value);

}  // namespace velm

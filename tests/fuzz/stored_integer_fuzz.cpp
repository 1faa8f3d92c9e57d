// ParseStoredInteger against a small model of the grammar written another
// way: prefixes from a table, conversion by std::from_chars.
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "stores/settings.h"

namespace {

bool AllOf(std::string_view s, bool (*in_class)(char)) {
  return !s.empty() && std::all_of(s.begin(), s.end(), in_class);
}
bool Decimal(char c) {
  return c >= '0' && c <= '9';
}
bool Hexadecimal(char c) {
  return Decimal(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The value the text stands for; nullopt when it is not valid.
std::optional<std::int32_t> Model(std::string text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text = "$" + text.substr(2);
  }
  std::string_view rest(text);
  rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));

  for (const std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
    if (!rest.starts_with(prefix)) continue;
    const std::string_view digits = rest.substr(prefix.size());
    std::uint64_t value = 0;
    if (!AllOf(digits, Hexadecimal)) return std::nullopt;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || value > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  }

  bool negative = false;
  if (!rest.empty() && (rest[0] == '-' || rest[0] == '+')) {
    negative = rest[0] == '-';
    rest.remove_prefix(1);
  }
  std::int64_t value = 0;
  if (!AllOf(rest, Decimal)) return std::nullopt;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
  if (error != std::errc()) return std::nullopt;
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> expected = Model(text);
  // Two defaults, so a valid text that happens to equal one cannot pass as
  // invalid.
  for (const std::int32_t fallback : {0, -0x5A5A5A5B}) {
    velm::fuzz::Check(velm::ParseStoredInteger(text, fallback) == expected.value_or(fallback),
                      "ParseStoredInteger agrees with the model of the grammar");
  }
  return 0;
}

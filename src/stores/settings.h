// Settings handle: bound to velm.ini's path for one piece of work, released
// (with a flush) at its end. Nothing is cached: every read goes to the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "stores/profile_backend.h"

namespace velm {

// Parses a stored integer; invalid text gives fallback. Accepts "0x"/"0X"/"$"/
// "x"/"X" hexadecimal (a signed 32-bit pattern), one sign before decimal
// digits, leading blanks only, nothing trailing.
std::int32_t ParseStoredInteger(std::string_view text, std::int32_t fallback);

class Settings {
 public:
  Settings(ProfileBackend& backend, std::string path);
  ~Settings();  // flushes
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  const std::string& path() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key);
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback);
  bool ReadBool(std::string_view section, std::string_view key, bool fallback);

  // Throw Error(kSettingsWrite, "<path> に書き込めません") when refused.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // Every failure is ignored.
  void DeleteKey(std::string_view section, std::string_view key);

 private:
  ProfileBackend& backend_;
  std::string path_;
};

}  // namespace velm

// Settings handle: velm.ini read once when the handle opens, read and changed
// in memory, and written back whole by Commit, in one replacement of the file.
// Every read answers as the Windows private-profile functions would from the
// file as it was read plus the changes made since.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "stores/ini_document.h"
#include "stores/settings_file.h"

namespace velm {

// Parses a stored integer; invalid text gives fallback. Accepts "0x"/"0X"/"$"/
// "x"/"X" hexadecimal (a signed 32-bit pattern), one sign before decimal
// digits, leading blanks only, nothing trailing.
std::int32_t ParseStoredInteger(std::string_view text, std::int32_t fallback);

class Settings {
 public:
  // Reads the file; a missing or unreadable one is an empty document.
  Settings(SettingsFile& file, SettingsPath path);
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  const IniDocument& document() const { return document_; }
  // Throws Error(kSettingsRead, "<path> を読み込めません") when the file is
  // there but could not be read (held by another program past the wait, or
  // barred): its content is unknown, not empty.
  void ThrowIfUnreadable() const;

  std::string ReadString(std::string_view section, std::string_view key) const {
    return document_.Read(section, key);
  }
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t fallback) const {
    return ParseStoredInteger(ReadString(section, key), fallback);
  }
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
  }

  // Staged until Commit.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
  }
  void WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
  }
  void DeleteKey(std::string_view section, std::string_view key);

  // Replaces the file with the document when it changed. Throws
  // Error(kSettingsWrite, "<path> に書き込めません") when a write was staged and
  // the file cannot be written, or the read error when it could not be read;
  // then nothing of this handle's changes is in the file. Deletes alone never
  // fail visibly.
  void Commit();

 private:
  SettingsFile& file_;
  SettingsPath path_;
  FileState state_;
  IniDocument document_;
  bool wrote_ = false;
  bool changed_ = false;
};

}  // namespace velm

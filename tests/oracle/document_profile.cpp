#include "document_profile.h"

#include "core/ansi_text.h"
#include "core/error.h"
#include "stores/settings.h"

namespace velm {

std::string DocumentProfile::Read(const std::string& path, std::string_view section,
                                  std::string_view key) {
  return Utf8ToAnsi(Settings(file_, path).ReadString(AnsiToUtf8(section), AnsiToUtf8(key)));
}

bool DocumentProfile::Write(const std::string& path, std::string_view section, std::string_view key,
                            std::string_view value) {
  try {
    Settings settings(file_, path);
    settings.WriteString(AnsiToUtf8(section), AnsiToUtf8(key), AnsiToUtf8(value));
    settings.Commit();
    return true;
  } catch (const Error&) {
    return false;
  }
}

void DocumentProfile::Delete(const std::string& path, std::string_view section,
                             std::string_view key) {
  Settings settings(file_, path);
  settings.DeleteKey(AnsiToUtf8(section), AnsiToUtf8(key));
  settings.Commit();
}

void DocumentProfile::Flush(const std::string&) {}

}  // namespace velm

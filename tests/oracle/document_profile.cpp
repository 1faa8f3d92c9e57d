#include "document_profile.h"

#include "core/error.h"
#include "stores/settings.h"

namespace velm {

std::string DocumentProfile::Read(const std::string& path, std::string_view section,
                                  std::string_view key) {
  return Settings(file_, path).ReadString(section, key);
}

bool DocumentProfile::Write(const std::string& path, std::string_view section, std::string_view key,
                            std::string_view value) {
  try {
    Settings settings(file_, path);
    settings.WriteString(section, key, value);
    settings.Commit();
    return true;
  } catch (const Error&) {
    return false;
  }
}

void DocumentProfile::Delete(const std::string& path, std::string_view section,
                             std::string_view key) {
  Settings settings(file_, path);
  settings.DeleteKey(section, key);
  settings.Commit();
}

void DocumentProfile::Flush(const std::string&) {}

}  // namespace velm

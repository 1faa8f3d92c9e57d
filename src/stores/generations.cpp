#include "stores/generations.h"

#include "stores/history_store.h"

namespace velm {

namespace {

constexpr char kFirstKey[] = "url1";

// The restore side asks with a capital U; names match without regard to case.
std::string RestoreKeyName(int n) {
  return "Url" + std::to_string(n);
}

}  // namespace

std::string GenerationSection(int k) {
  return "OldUrl" + std::to_string(k);
}

void RotateGenerations(Settings& settings) {
  // Downwards, so each generation is copied before its predecessor lands on it.
  for (int k = kRestorableGenerations; k >= 1; --k) {
    const std::string from = GenerationSection(k);
    if (settings.ReadString(from, kFirstKey).empty()) continue;
    const std::string to = GenerationSection(k + 1);
    for (int n = 1; n <= kHistoryValues; ++n) {
      const std::string key = HistoryValueName(n);
      const std::string value = settings.ReadString(from, key);
      if (value.empty()) {
        settings.DeleteKey(to, key);
      } else {
        settings.WriteString(to, key, value);
      }
    }
  }
}

void SnapshotValue(Settings& settings, int n, const std::string& text) {
  const std::string section = GenerationSection(1);
  const std::string key = HistoryValueName(n);
  if (text.empty()) {
    settings.DeleteKey(section, key);
  } else {
    settings.WriteString(section, key, text);
  }
}

int CountGenerations(const IniDocument& settings) {
  int count = 0;
  for (int k = 1; k <= kRestorableGenerations; ++k) {
    if (!settings.Read(GenerationSection(k), kFirstKey).empty()) count = k;
  }
  return count;
}

std::vector<std::string> ReadGeneration(const IniDocument& settings, int k) {
  std::vector<std::string> values;
  if (k < 1 || k > kRestorableGenerations) return values;
  const std::string section = GenerationSection(k);
  for (int n = 1; n <= kHistoryValues; ++n) {
    std::string value = settings.Read(section, RestoreKeyName(n));
    if (!value.empty()) values.push_back(std::move(value));
  }
  return values;
}

}  // namespace velm

#include "stores/generations.h"

#include "stores/history_store.h"

namespace velm {

namespace {

// The restore side asks with a capital U; names match without regard to case.
std::string RestoreKeyName(int n) {
  return "Url" + std::to_string(n);
}

// Any value counts: a history without url1 (cleared by hand, say) is a
// state of its own all the same.
bool HoldsData(const IniDocument& settings, int k) {
  const std::string section = GenerationSection(k);
  for (int n = 1; n <= kHistoryValues; ++n) {
    if (!settings.Read(section, HistoryValueName(n)).empty()) return true;
  }
  return false;
}

}  // namespace

std::string GenerationSection(int k) {
  return "OldUrl" + std::to_string(k);
}

void RotateGenerations(Settings& settings) {
  // Downwards, so each generation is copied before its predecessor lands on it.
  for (int k = kRestorableGenerations; k >= 1; --k) {
    if (!HoldsData(settings.document(), k)) continue;
    const std::string from = GenerationSection(k), to = GenerationSection(k + 1);
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

void KeepGeneration(Settings& settings, const std::vector<std::string>& history) {
  // Compared as the file gives values back (exact text, cut at 2,047 units):
  // a snapshot written into a copy of the document and read back is
  // exactly that.
  IniDocument snapshot = settings.document();
  const std::string newest = GenerationSection(1);
  bool same = true;
  for (int n = 1; n <= kHistoryValues && same; ++n) {
    const std::string key = HistoryValueName(n);
    const std::string& text = history[static_cast<std::size_t>(n) - 1];
    if (text.empty()) {
      snapshot.Remove(newest, key);
    } else {
      snapshot.Set(newest, key, text);
    }
    same = snapshot.Read(newest, key) == settings.ReadString(newest, key);
  }
  if (same) return;
  RotateGenerations(settings);
  for (int n = 1; n <= kHistoryValues; ++n)
    SnapshotValue(settings, n, history[static_cast<std::size_t>(n) - 1]);
}

int CountGenerations(const IniDocument& settings) {
  int count = 0;
  for (int k = 1; k <= kRestorableGenerations; ++k) {
    if (HoldsData(settings, k)) count = k;
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

#include "per_value_sequence.h"

#include <algorithm>
#include <cstdio>

#include "core/ansi_text.h"
#include "scratch_dir.h"
#include "stores/generations.h"
#include "stores/history_store.h"
#include "stores/settings.h"

namespace velm::oracle {

namespace {

std::string Section(int k) {
  return "OldUrl" + std::to_string(k);
}

// Whether OldUrl1 already reads back as the snapshot of lines would: the
// snapshot is made in a copy of the file, one call per value, and each value
// read from both.
bool NewestHoldsAlready(ProfileBackend& profile, const std::string& ini,
                        const std::vector<std::string>& lines) {
  const std::string copy = ini + ".snapshot";
  testing::WriteBytes(copy, testing::ReadBytes(ini));
  bool same = true;
  for (int n = 1; n <= kHistoryValues && same; ++n) {
    const std::string key = HistoryValueName(n);
    if (lines[n - 1].empty()) {
      profile.Delete(copy, Section(1), key);
    } else if (!profile.Write(copy, Section(1), key, lines[n - 1])) {
      same = false;
    }
    same = same && profile.Read(copy, Section(1), key) == profile.Read(ini, Section(1), key);
  }
  profile.Flush(copy);
  std::remove(copy.c_str());
  return same;
}

}  // namespace

bool PerValueStartup(ProfileBackend& profile, const std::string& ini,
                     const std::vector<std::string>& history, WindowSettings* window) {
  window->list_flag = ParseStoredInteger(profile.Read(ini, "FORM", "LSTFLAG"), 1) != 0;
  window->top = ParseStoredInteger(profile.Read(ini, "FORM", "TOP"), 0);
  window->left = ParseStoredInteger(profile.Read(ini, "FORM", "LEFT"), 0);

  std::vector<std::string> lines;
  for (int n = 1; n <= kHistoryValues; ++n) {
    std::string line = n <= static_cast<int>(history.size()) ? history[n - 1] : "";
    std::erase_if(line, [](char c) { return c == '\r' || c == '\n'; });
    line.resize(CutLength(line, 2047));
    lines.push_back(std::move(line));
  }
  // A history OldUrl1 already holds is no new state.
  if (NewestHoldsAlready(profile, ini, lines)) return true;

  for (int k = kRestorableGenerations; k >= 1; --k) {
    if (profile.Read(ini, Section(k), "url1").empty()) continue;
    for (int n = 1; n <= kHistoryValues; ++n) {
      const std::string key = HistoryValueName(n);
      const std::string value = profile.Read(ini, Section(k), key);
      if (value.empty()) {
        profile.Delete(ini, Section(k + 1), key);
      } else if (!profile.Write(ini, Section(k + 1), key, value)) {
        return false;
      }
    }
  }
  for (int n = 1; n <= kHistoryValues; ++n) {
    if (lines[n - 1].empty()) {
      profile.Delete(ini, Section(1), HistoryValueName(n));
    } else if (!profile.Write(ini, Section(1), HistoryValueName(n), lines[n - 1])) {
      return false;
    }
  }
  profile.Flush(ini);
  return true;
}

bool PerValueClose(ProfileBackend& profile, const std::string& ini, const WindowSettings& window) {
  const bool ok = profile.Write(ini, "FORM", "LSTFLAG", window.list_flag ? "1" : "0") &&
                  profile.Write(ini, "FORM", "TOP", std::to_string(window.top)) &&
                  profile.Write(ini, "FORM", "LEFT", std::to_string(window.left));
  profile.Flush(ini);
  return ok;
}

int PerValueCount(ProfileBackend& profile, const std::string& ini) {
  int count = 0;
  for (int k = 1; k <= kRestorableGenerations; ++k) {
    if (!profile.Read(ini, Section(k), "url1").empty()) count = k;
  }
  return count;
}

std::vector<std::string> PerValueGeneration(ProfileBackend& profile, const std::string& ini,
                                            int k) {
  std::vector<std::string> values;
  for (int n = 1; n <= kHistoryValues; ++n) {
    std::string value = profile.Read(ini, Section(k), "Url" + std::to_string(n));
    if (!value.empty()) values.push_back(std::move(value));
  }
  return values;
}

}  // namespace velm::oracle

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

// A value that reading would trim or unquote, in a pair of double quotes
// that reading takes off again.
std::string Enclosed(const std::string& value) {
  constexpr std::string_view kLostAtTheEnds = " \t\v\f\x1A\"'";
  if (value.empty() || (kLostAtTheEnds.find(value.front()) == std::string_view::npos &&
                        kLostAtTheEnds.find(value.back()) == std::string_view::npos))
    return value;
  return '"' + value + '"';
}

// Any value makes a generation hold data.
bool HoldsData(ProfileBackend& profile, const std::string& ini, int k) {
  for (int n = 1; n <= kHistoryValues; ++n) {
    if (!profile.Read(ini, Section(k), HistoryValueName(n)).empty()) return true;
  }
  return false;
}

// Records each history text in OldUrl1 of ini; false at a refused write.
bool Snapshot(ProfileBackend& profile, const std::string& ini,
              const std::vector<std::string>& history) {
  for (int n = 1; n <= kHistoryValues; ++n) {
    std::string line = n <= static_cast<int>(history.size()) ? history[n - 1] : "";
    line.resize(std::min(line.find('\0'), line.size()));  // the platform takes C strings
    std::erase_if(line, [](char c) { return c == '\r' || c == '\n'; });
    line.resize(CutLength(line, 2047));
    if (line.empty()) {
      profile.Delete(ini, Section(1), HistoryValueName(n));
    } else if (!profile.Write(ini, Section(1), HistoryValueName(n), Enclosed(line))) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool PerValueStartup(ProfileBackend& profile, const std::string& ini,
                     const std::vector<std::string>& history, WindowSettings* window) {
  window->list_flag = ParseStoredInteger(profile.Read(ini, "FORM", "LSTFLAG"), 1) != 0;
  window->top = ParseStoredInteger(profile.Read(ini, "FORM", "TOP"), 0);
  window->left = ParseStoredInteger(profile.Read(ini, "FORM", "LEFT"), 0);

  // A history that OldUrl1 already gives back, snapshot made in a copy of
  // the file, is no new state.
  const std::string copy = ini + ".snapshot";
  testing::WriteBytes(copy, testing::ReadBytes(ini));
  bool same = Snapshot(profile, copy, history);
  for (int n = 1; n <= kHistoryValues && same; ++n)
    same = profile.Read(copy, Section(1), HistoryValueName(n)) ==
           profile.Read(ini, Section(1), HistoryValueName(n));
  profile.Flush(copy);
  std::remove(copy.c_str());
  if (same) return true;

  for (int k = kRestorableGenerations; k >= 1; --k) {
    if (!HoldsData(profile, ini, k)) continue;
    for (int n = 1; n <= kHistoryValues; ++n) {
      const std::string key = HistoryValueName(n);
      const std::string value = profile.Read(ini, Section(k), key);
      if (value.empty()) {
        profile.Delete(ini, Section(k + 1), key);
      } else if (!profile.Write(ini, Section(k + 1), key, Enclosed(value))) {
        return false;
      }
    }
  }
  if (!Snapshot(profile, ini, history)) return false;
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
    if (HoldsData(profile, ini, k)) count = k;
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

// Backup generations OldUrl1 (newest) .. OldUrl6 (oldest) in velm.ini.
#pragma once

#include <string>
#include <vector>

#include "stores/ini_document.h"
#include "stores/settings.h"

namespace velm {

inline constexpr int kGenerations = 6;
inline constexpr int kRestorableGenerations = 5;

// "OldUrl" + k.
std::string GenerationSection(int k);

// Shifts every generation that holds data (any url value not empty) one
// place back, k = 5 down to 1.
void RotateGenerations(Settings& settings);

// Keeps history (the 25 entry texts of url1..url25 by number, "" for a value
// absent, empty or unreadable) as a new generation: rotates, then records
// each value in OldUrl1. Only a new state makes one: when OldUrl1 already
// gives back every text exactly as velm.ini would give back the history's, nothing
// is touched, so starts that only look keep older states restorable.
void KeepGeneration(Settings& settings, const std::vector<std::string>& history);

// Records history value n in OldUrl1 (deletes the key for an empty text) as
// the settings take a value: without line breaks, cut to what a read gives.
void SnapshotValue(Settings& settings, int n, const std::string& text);

// Highest k in 1..5 whose generation holds data; 0 when none.
int CountGenerations(const IniDocument& settings);

// The non-empty values of generation k, keys asked as "Url" + n, gaps closed.
std::vector<std::string> ReadGeneration(const IniDocument& settings, int k);

}  // namespace velm

// The start-up cases the benchmarks time, as plain data: what the history key
// holds and what velm.ini holds before a run. Every run is seeded afresh from
// these, since the program rewrites both.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

struct BenchCase {
  std::string name;
  // url1, url2, ... in order; empty: the history key does not exist.
  std::vector<std::string> history;
  // The bytes of velm.ini; empty: no file.
  std::string ini;
};

// An address of exactly `bytes` bytes (at least 40), different for every
// (generation, n), so every copy a rotation makes really changes the file.
// Generation 0 is the history itself.
std::string Address(int generation, int n, std::size_t bytes);

// velm.ini with a FORM section and six full generations OldUrl1..OldUrl6 of 25
// addresses of value_bytes each, as the program writes it (CRLF lines).
std::string SixGenerationsIni(std::size_t value_bytes);

// 25 addresses of value_bytes each: the history as it stands at a start.
std::vector<std::string> FullHistory(std::size_t value_bytes);

// SixGenerationsIni(value_bytes) followed by sections of other names, as a
// user or another tool may add them, until the file holds at least
// total_bytes.
std::string PaddedIni(std::size_t value_bytes, std::size_t total_bytes);

// ini, all ASCII, as UTF-16 LE with a byte-order mark: the form velm.ini
// takes once it holds an address the code page lacks.
std::string Utf16Ini(const std::string& ini);

// Value sizes of the realistic and the extreme cases.
inline constexpr std::size_t kRealisticBytes = 80;
inline constexpr std::size_t kExtremeBytes = 2000;
inline constexpr std::size_t kHugeIniBytes = 3'000'000;

// empty (no history, no velm.ini), realistic (80-byte addresses), 300KB
// (2,000-byte addresses, about 300 KB of velm.ini), 300KB UTF-16 (the same
// generations in a UTF-16 velm.ini, about 600 KB), 3MB (the 300KB case with
// other sections up to 3 MB).
std::vector<BenchCase> StandardCases();

}  // namespace bench

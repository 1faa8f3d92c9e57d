#include "bench_cases.h"

#include <stdexcept>
#include <string_view>

#include "stores/generations.h"
#include "stores/history_store.h"

namespace bench {

namespace {

constexpr std::size_t kShortestAddress = 40;
constexpr char kPadding[] = "abcdefghijklmnopqrstuvwxyz0123456789-";

}  // namespace

std::string Address(int generation, int n, std::size_t bytes) {
  if (bytes < kShortestAddress) throw std::invalid_argument("address too short");
  // Built by appending: GCC 12 warns falsely (-Wrestrict) on a chain of +.
  std::string address = "http://www.example.co.jp/g";
  address.append(std::to_string(generation)).append("/u").append(std::to_string(n)).append("/");
  constexpr std::string_view kTail = ".html";
  for (std::size_t i = 0; address.size() + kTail.size() < bytes; ++i) {
    address += kPadding[i % (sizeof(kPadding) - 1)];
  }
  return address.append(kTail);
}

std::string SixGenerationsIni(std::size_t value_bytes) {
  std::string ini = "[FORM]\r\nLSTFLAG=1\r\nTOP=120\r\nLEFT=200\r\n";
  for (int k = 1; k <= velm::kGenerations; ++k) {
    ini.append("[").append(velm::GenerationSection(k)).append("]\r\n");
    for (int n = 1; n <= velm::kHistoryValues; ++n) {
      ini.append(velm::HistoryValueName(n)).append("=").append(Address(k, n, value_bytes));
      ini.append("\r\n");
    }
  }
  return ini;
}

std::string PaddedIni(std::size_t value_bytes, std::size_t total_bytes) {
  std::string ini = SixGenerationsIni(value_bytes);
  // Sections of 20 notes of about 100 bytes, the kind a hand or a tool adds.
  for (int section = 1; ini.size() < total_bytes; ++section) {
    ini.append("[Notes").append(std::to_string(section)).append("]\r\n");
    for (int key = 1; key <= 20; ++key) {
      ini.append("note").append(std::to_string(key)).append("=");
      ini.append(Address(section, key, 100)).append("\r\n");
    }
  }
  return ini;
}

std::string Utf16Ini(const std::string& ini) {
  std::string utf16 = "\xFF\xFE";
  for (const char ch : ini) utf16.append({ch, '\0'});
  return utf16;
}

std::vector<std::string> FullHistory(std::size_t value_bytes) {
  std::vector<std::string> history;
  for (int n = 1; n <= velm::kHistoryValues; ++n) history.push_back(Address(0, n, value_bytes));
  return history;
}

std::vector<BenchCase> StandardCases() {
  return {
      {"empty", {}, {}},
      {"realistic", FullHistory(kRealisticBytes), SixGenerationsIni(kRealisticBytes)},
      {"300KB", FullHistory(kExtremeBytes), SixGenerationsIni(kExtremeBytes)},
      {"300KB UTF-16", FullHistory(kExtremeBytes), Utf16Ini(SixGenerationsIni(kExtremeBytes))},
      {"3MB", FullHistory(kExtremeBytes), PaddedIni(kExtremeBytes, kHugeIniBytes)},
  };
}

}  // namespace bench

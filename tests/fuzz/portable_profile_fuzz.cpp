// The portable velm.ini under arbitrary input. The first byte picks one of
// two runs:
//  even: the other bytes are a value and a file. Reads never crash; the
//        value written beside whatever is there reads back as the code page
//        takes it, and every other value reads as before, also after that
//        value is deleted again.
//  odd:  the other bytes are writes and deletes on a new file. Every value
//        written (up to 2,047 bytes, no CR or LF, no blank at either end, no
//        matching quote pair around it) reads back as the code page takes it,
//        and the file always reads like a map that took the same writes and
//        deletes.
#include <unistd.h>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "ascii_lowered.h"
#include "core/ansi_text.h"
#include "document_profile.h"
#include "fuzz_check.h"

namespace {

namespace fs = std::filesystem;
using velm::AsciiLowered;
using velm::fuzz::Check;

// A folder of this process's own, removed at exit.
class Scratch {
 public:
  Scratch() : path_(fs::temp_directory_path() / ("velm-fuzz-" + std::to_string(getpid()))) {
    fs::create_directories(path_);
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string Ini() const { return (path_ / "velm.ini").string(); }

 private:
  fs::path path_;
};

const std::string& Ini() {
  static const Scratch scratch;
  static const std::string ini = scratch.Ini();
  return ini;
}

// Names as the program uses them, in other cases, with blanks inside and
// with 表, whose second byte is 0x5C.
constexpr std::array<std::string_view, 8> kSections = {"FORM",    "OldUrl1", "oldurl1",  "OLDURL2",
                                                       "Old Url", "s",       "\x95\x5C", "Tail"};
constexpr std::array<std::string_view, 8> kKeys = {"url1", "URL1", "Url2",     "TOP",
                                                   "a b",  "x",    "\x95\x5C", "LSTFLAG"};

// What a read gives back of a written value: byte pairs the code page does
// not know come back as its default character.
std::string AsTaken(const std::string& value) {
  return velm::Utf8ToAnsi(velm::AnsiToUtf8(value));
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

// Makes raw bytes a value the program could write: no CR, LF or zero byte,
// at most 2,047 bytes, no blank at either end, no matching quotes around it,
// no lead byte without its trail byte at the end (the platform drops it).
std::string ValueFrom(std::string_view raw) {
  std::string value;
  for (char c : raw) {
    if (c != '\r' && c != '\n' && c != '\0') value += c;
  }
  if (value.size() > 2047) value.resize(2047);
  for (;;) {
    while (!value.empty() && IsBlank(value.front())) value.erase(0, 1);
    while (!value.empty() && IsBlank(value.back())) value.pop_back();
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (!quoted && velm::WholeLength(value) == value.size()) return value;
    value.pop_back();
  }
}

void WriteFile(std::string_view bytes) {
  std::ofstream out(Ini(), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Reads a length-prefixed piece of bytes; empty at the end of the input.
std::string_view Take(std::string_view& bytes) {
  if (bytes.empty()) return {};
  // Two length bytes reach beyond 2,047.
  std::size_t length = static_cast<unsigned char>(bytes[0]);
  bytes.remove_prefix(1);
  if (length >= 0xF0 && !bytes.empty()) {
    length = (length - 0xF0) * 256 + static_cast<unsigned char>(bytes[0]);
    bytes.remove_prefix(1);
  }
  length = std::min(length, bytes.size());
  const std::string_view piece = bytes.substr(0, length);
  bytes.remove_prefix(length);
  return piece;
}

// Input: one byte picking the names, the value, then the file.
void ArbitraryFile(std::string_view bytes) {
  if (bytes.empty()) return;
  const auto pick = static_cast<unsigned char>(bytes[0]);
  bytes.remove_prefix(1);
  const std::string_view section = kSections[pick & 7];
  const std::string_view key = kKeys[(pick >> 3) & 7];
  const auto written = std::make_pair(AsciiLowered(section), AsciiLowered(key));
  const std::string value = ValueFrom(Take(bytes));

  velm::PortableProfile profile;
  WriteFile(bytes);
  std::map<std::pair<std::string, std::string>, std::string> before;
  for (std::string_view s : kSections) {
    for (std::string_view k : kKeys)
      before[{AsciiLowered(s), AsciiLowered(k)}] = profile.Read(Ini(), s, k);
  }
  const auto others_unchanged = [&] {
    for (const auto& [name, old] : before) {
      if (name == written) continue;
      Check(profile.Read(Ini(), name.first, name.second) == old,
            "a write or delete leaves every other value as it was");
    }
  };
  Check(profile.Write(Ini(), section, key, value), "a write to any file succeeds");
  Check(profile.Read(Ini(), section, key) == AsTaken(value),
        "a value written into any file reads back");
  others_unchanged();
  profile.Delete(Ini(), section, key);
  others_unchanged();
}

void WritesAndDeletes(std::string_view bytes) {
  velm::PortableProfile profile;
  std::error_code ignored;
  fs::remove(Ini(), ignored);
  std::map<std::pair<std::string, std::string>, std::string> model;
  // Every operation rewrites the file; a few dozen reach every state that
  // matters and keep the runs fast.
  for (int ops = 0; ops < 40 && !bytes.empty(); ++ops) {
    const auto op = static_cast<unsigned char>(bytes[0]);
    bytes.remove_prefix(1);
    const std::string_view section = kSections[op & 7];
    const std::string_view key = kKeys[(op >> 3) & 7];
    const auto name = std::make_pair(AsciiLowered(section), AsciiLowered(key));
    if (op & 0x40) {
      profile.Delete(Ini(), section, key);
      model.erase(name);
    } else {
      const std::string value = ValueFrom(Take(bytes));
      Check(profile.Write(Ini(), section, key, value), "a write succeeds");
      model[name] = AsTaken(value);
    }
    const auto it = model.find(name);
    Check(profile.Read(Ini(), section, key) == (it == model.end() ? "" : it->second),
          "a value reads back as written, or empty once deleted");
  }
  for (std::string_view section : kSections) {
    for (std::string_view key : kKeys) {
      const auto it = model.find({AsciiLowered(section), AsciiLowered(key)});
      Check(profile.Read(Ini(), section, key) == (it == model.end() ? "" : it->second),
            "the file reads like the map");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (bytes.empty()) return 0;
  const bool writes = bytes[0] & 1;
  bytes.remove_prefix(1);
  if (writes) {
    WritesAndDeletes(bytes);
  } else {
    ArbitraryFile(bytes);
  }
  return 0;
}

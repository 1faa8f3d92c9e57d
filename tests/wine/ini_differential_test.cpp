// The settings document against the private-profile functions. Generated
// velm.ini files (layouts, case, duplicates, quotes, comments, odd bytes,
// byte-order marks, long values, line breaks, empty and missing sections)
// each go through a start-up and a close twice: once one private-profile
// call per value, once as the program does it. Every key of both results is
// then read back through GetPrivateProfileStringA, and the window settings,
// the generation count and every preview are compared: they must agree. So
// must the encoding of both results, and every line of the file that the
// private-profile functions left as it was must be there byte for byte in
// the program's result too.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <set>

#include "core/ansi_text.h"
#include "core/error.h"
#include "memory_registry.h"
#include "per_value_sequence.h"
#include "scratch_dir.h"
#include "stores/generations.h"
#include "stores/settings.h"
#include "stores/startup_sequence.h"
#include "stores/win32_settings_file.h"
#include "win32_profile.h"

namespace velm::testing {
namespace {

using Texts = std::vector<std::string>;

struct Case {
  std::string bytes;
  Texts history;  // url1..url25, "" for absent
  WindowSettings close;
  std::set<std::string> sections;  // every section name the file spells
  std::set<std::string> keys;      // every key name it spells
};

// Stands for text outside the code page (한국어 😀 café ½) in files saved with
// a byte-order mark.
constexpr char kNote[] = "<note>";

std::wstring Wide(UINT code_page, const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          static_cast<int>(wide.size()))));
  return wide;
}

// The byte-order mark of a velm.ini and its lines, in UTF-8 for a file
// that has one.
std::pair<std::string, std::set<std::string>> Lines(const std::string& bytes) {
  std::string mark, text = bytes;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    mark = bytes.substr(0, 3);
    text = bytes.substr(3);
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    mark = bytes.substr(0, 2);
    std::wstring wide;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      const auto first = static_cast<unsigned char>(bytes[i]),
                 second = static_cast<unsigned char>(bytes[i + 1]);
      wide += static_cast<wchar_t>(mark[0] == '\xFE' ? first << 8 | second : second << 8 | first);
    }
    text.assign(wide.size() * 4, '\0');
    text.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                            static_cast<int>(text.size()), nullptr, nullptr)));
  }
  std::set<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find_first_of("\r\n", start)) != std::string::npos;
       start = end + 1)
    lines.insert(text.substr(start, end - start));
  lines.insert(text.substr(start));
  return {mark, lines};
}

// Builds velm.ini files from random pieces. Every choice comes from one
// seeded generator, so a failing case is the same on every run.
class CaseMaker {
 public:
  explicit CaseMaker(unsigned seed) : rng_(seed) {}

  Case Make() {
    Case c;
    const bool keys_before_sections = Chance(10);
    if (keys_before_sections) AddKeys(c, "");
    const int sections = Pick(0, 9);
    for (int i = 0; i < sections; ++i) AddSection(c);
    c.bytes = Encoded(c.bytes);
    for (int n = 1; n <= kHistoryValues; ++n) c.history.push_back(Chance(30) ? "" : Value(true));
    c.close = {Chance(50), Pick(-3000, 3000), Pick(-3000, 3000)};
    return c;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  bool Chance(int percent) { return Pick(1, 100) <= percent; }
  template <typename T>
  const T& OneOf(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Pick(0, static_cast<int>(items.size()) - 1))];
  }

  // As written, in upper case or in lower case.
  std::string Spelled(std::string name) {
    const int how = Pick(0, 2);
    for (char& ch : name) {
      const auto byte = static_cast<unsigned char>(ch);
      if (how != 0) ch = static_cast<char>(how == 1 ? std::toupper(byte) : std::tolower(byte));
    }
    return name;
  }

  std::string LineEnd() { return OneOf<std::string>({"\r\n", "\r\n", "\r\n", "\n", "\r"}); }
  std::string Blank() { return OneOf<std::string>({"", "", " ", "\t", "  \t"}); }

  // A value as an editor or another program might have left it.
  std::string Value(bool for_history) {
    static const std::vector<std::string> pieces = {
        "http://example.com/",
        "http://a.example/?q=1&r=2",
        "\x95\x5C\x83\x5C\x94\x5C",  // 表ソ能: trail bytes 0x5C
        "\x82\xA0\x82\xA2",          // あい
        "x=y",
        ";not a comment",
        "[not a section]",
        "%TEMP%\\dir",
        " spaced ",
        "\"quoted\"",
        "'single'",
        "\"half",
        "tab\there",
        "\xB1\xB2",  // half-width katakana
        "[\x81]",    // a "]" that is a trail byte
        kNote,
    };
    static const std::vector<std::string> odd = {
        "\x80", "\xA0", "\xFD\xFE\xFF", "\x81", "\x81\x7F", "\x85\x40", std::string("a\0b", 3),
    };
    std::string value;
    const int parts = Pick(1, 4);
    for (int i = 0; i < parts; ++i) value += OneOf(pieces);
    if (Chance(15)) value += OneOf(odd);
    if (Chance(8)) value = std::string(static_cast<std::size_t>(Pick(2040, 3100)), 'L') + value;
    if (Chance(5))
      value = std::string(static_cast<std::size_t>(Pick(2044, 2047)), 'c') + "\x95\x5C";
    if (for_history && Chance(5)) value += "\r\n[FORM]\r\nTOP=99";
    return value;
  }

  void AddKeys(Case& c, const std::string& section) {
    const bool generation = section.find("ldurl") != std::string::npos ||
                            section.find("LDURL") != std::string::npos ||
                            section.find("ldUrl") != std::string::npos;
    const int keys = Pick(0, generation ? 25 : 5);
    for (int i = 0; i < keys; ++i) {
      if (Chance(8)) c.bytes += Blank() + LineEnd();
      if (Chance(6))
        c.bytes += OneOf<std::string>({";", "#", "; url1=commented", kNote}) + " note" + LineEnd();
      std::string name;
      if (generation || Chance(20)) {
        name = Spelled("url" + std::to_string(Chance(90) ? Pick(1, 25) : Pick(26, 30)));
      } else {
        name = OneOf<std::string>({"LSTFLAG", "TOP", "LEFT", "lstflag", "Top", "other"});
      }
      c.keys.insert(name);
      if (Chance(4)) {
        c.bytes += name + LineEnd();  // a key line without "="
        continue;
      }
      std::string value =
          generation ? Value(false)
                     : OneOf<std::string>({"0", "1", "-20", "0x20", "$FF", "2", "", "12px", " 7 "});
      c.bytes += Blank() + name + Blank() + "=" + Blank() + value + Blank() + LineEnd();
    }
  }

  void AddSection(Case& c) {
    std::string name = Chance(20) ? "FORM" : "OldUrl" + std::to_string(Pick(1, 7));
    name = Spelled(name);
    std::string header = "[" + name + "]";
    if (Chance(6)) {
      header = "[ " + name + " ]";
    } else if (Chance(4)) {
      header = "[" + name;  // no closing bracket: a key line, no header
      name.clear();
    } else if (Chance(4)) {
      header += " trailing";
    } else if (Chance(6)) {
      header = "[" + name + "\x81]";  // its "]" is a trail byte: a key line, no header
      name.clear();
    } else if (Chance(6)) {
      name += "\x81]";
      header = "[" + name + "]";
    }
    if (!name.empty()) c.sections.insert(name);
    c.bytes += Blank() + header + LineEnd();
    AddKeys(c, name);
  }

  // Without a byte-order mark, or converted as an editor saves it: UTF-8,
  // UTF-16 LE or BE, with characters the code page lacks in place of kNote.
  std::string Encoded(const std::string& ansi) {
    const int which = Pick(1, 10);
    if (which > 3) return ansi;
    std::wstring wide = Wide(CP_ACP, ansi);
    const std::wstring note = Wide(CP_ACP, kNote);
    for (std::size_t at = wide.find(note); at != std::wstring::npos; at = wide.find(note, at))
      wide.replace(at, note.size(), L"\uD55C\uAD6D\uC5B4 \U0001F600 caf\u00E9 \u00BD");
    if (which == 3) {
      std::string utf8(wide.size() * 4, '\0');
      utf8.resize(static_cast<std::size_t>(
          WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                              static_cast<int>(utf8.size()), nullptr, nullptr)));
      return "\xEF\xBB\xBF" + utf8;
    }
    std::string bytes = which == 1 ? "\xFF\xFE" : "\xFE\xFF";
    for (wchar_t unit : wide) {
      const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
      bytes.append({which == 2 ? high : low, which == 2 ? low : high});
    }
    return bytes;
  }

  std::mt19937 rng_;
};

// Hand-made files for the layouts a random one reaches only rarely.
std::vector<Case> FixedCases() {
  const Texts history = {"http://one/", "", "http://three/", "\x95\x5C"};
  std::vector<Case> cases;
  auto add = [&](std::string bytes) {
    Case c;
    c.bytes = std::move(bytes);
    c.history = history;
    c.history.resize(kHistoryValues);
    c.close = {false, -5, 17};
    cases.push_back(std::move(c));
  };
  add("");                                                   // an empty file
  add("[FORM]\r\nLSTFLAG=0\r\n[OldUrl1]\r\n[OldUrl2]\r\n");  // empty sections
  add("[OldUrl1]\r\nurl1=first\r\n[oldurl1]\r\nurl1=second\r\nurl2=only here\r\n");
  add("[OldUrl1]\r\nurl1=a\r\nURL1=b\r\n[OldUrl2]\r\nurl1=\"\"\r\n[OldUrl3]\r\nurl1=''\r\n");
  add("\xEF\xBB\xBF[OldUrl1]\r\nurl1=\xE8\xA1\xA8\xE2\x82\xAC\xF0\x9F\x98\x80\r\n");  // 表, €, an
                                                                                      // emoji
  add(std::string(
      "\xFF\xFE[\0O\0l\0d\0U\0r\0l\0\x31\0]\0\r\0\n\0u\0r\0l\0\x31\0=\0\x68\x88\r\0\n\0", 48));
  add("[OldUrl1]\rurl1=cr\r[OldUrl2]\nurl1=lf\n\n\n[FORM]\r\n\r\nTOP=3");  // no end of line at the
                                                                           // end
  add("[OldUrl1]\r\nurl1=" + std::string(5000, 'x') + "\r\n[OldUrl2]\r\nurl1=\x81\r\n");
  add(std::string("[OldUrl1]\r\nurl1=zero\0inside\r\nurl2\r\n=no name\r\n", 44));
  // OldUrl1 already holds the history as the file gives it back: no new state.
  add("[OldUrl1]\r\nurl1= http://one/ \r\nURL3=\"http://three/\"\r\nurl4=\x95\x5C\r\n"
      "[OldUrl2]\r\nurl1=older\r\n");
  return cases;
}

// What a later start, the restore window or another program sees of one
// result, named: "<when> [section] key", "<when> count", "<when> preview k".
using Seen = std::map<std::string, std::string>;

std::string Joined(const Texts& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += text + "|";
  return joined;
}

std::string Shown(const std::string& text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size() && i < 100; ++i) {
    const auto ch = static_cast<unsigned char>(text[i]);
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", ch);
    shown += ch >= 0x20 && ch < 0x7F ? std::string(1, text[i]) : std::string(hex);
  }
  return text.size() > 100 ? shown + "...(" + std::to_string(text.size()) + " bytes)" : shown;
}

class IniDifferential : public ::testing::Test {
 protected:
  // Runs c both ways and adds every disagreement to differences_.
  void Run(const Case& c, const std::string& label) {
    ScratchDir reference_dir, document_dir;
    const std::string reference = reference_dir.File("velm.ini");
    const std::string document = document_dir.File("velm.ini");
    WriteBytes(reference, c.bytes);
    WriteBytes(document, c.bytes);
    Seen by_reference, by_document;
    ReferenceGenerations(reference, "before", by_reference);
    DocumentGenerations(document, "before", by_document);

    // Both take the history as its code-page text: what the registry holds
    // for it, as entry text in the program.
    Texts history = c.history;
    for (std::string& text : history) text = Utf8ToAnsi(AnsiToUtf8(text));
    WindowSettings window;
    const bool reference_ok = oracle::PerValueStartup(oracle_, reference, history, &window);
    by_reference["start-up wrote"] = std::to_string(reference_ok);
    by_reference["window"] = WindowText(window);
    MemoryRegistry registry;
    for (int n = 1; n <= kHistoryValues; ++n) {
      if (!c.history[n - 1].empty())
        registry.SetString(HistoryValueName(n), AnsiToUtf8(c.history[n - 1]));
    }
    StartupState state;
    by_document["start-up wrote"] = std::to_string(Succeeds([&] {
      RunStartupSequence(
          file_, registry, document, [](const HistoryValue&) {}, &state);
    }));
    by_document["window"] = WindowText(state.window);
    Keys(reference, c, "start-up", by_reference);
    Keys(document, c, "start-up", by_document);
    ReferenceGenerations(reference, "start-up", by_reference);
    DocumentGenerations(document, "start-up", by_document);

    by_reference["close wrote"] =
        std::to_string(oracle::PerValueClose(oracle_, reference, c.close));
    by_document["close wrote"] =
        std::to_string(Succeeds([&] { SaveWindowSettings(file_, document, c.close); }));
    Keys(reference, c, "close", by_reference);
    Keys(document, c, "close", by_document);
    Kept(c, reference, by_reference);
    Kept(c, document, by_document);

    comparisons_ += static_cast<int>(by_reference.size());
    for (const auto& [what, expected] : by_reference) {
      if (by_document[what] == expected) continue;
      differences_.push_back(label + ", " + what + ": private-profile \"" + Shown(expected) +
                             "\", document \"" + Shown(by_document[what]) + "\"");
    }
  }

  template <typename Work>
  static bool Succeeds(Work&& work) {
    try {
      work();
      return true;
    } catch (const Error&) {
      return false;
    }
  }

  static std::string WindowText(const WindowSettings& w) {
    return std::to_string(w.list_flag) + " " + std::to_string(w.top) + " " + std::to_string(w.left);
  }

  // Every key the program uses and every name the file spells, read back
  // through GetPrivateProfileStringA.
  void Keys(const std::string& ini, const Case& c, const std::string& when, Seen& seen) {
    std::set<std::string> sections = c.sections, keys = c.keys;
    sections.insert("FORM");
    for (int k = 1; k <= kGenerations; ++k) sections.insert(GenerationSection(k));
    keys.insert({"LSTFLAG", "TOP", "LEFT"});
    for (int n = 1; n <= kHistoryValues; ++n) keys.insert(HistoryValueName(n));
    for (const std::string& section : sections) {
      for (const std::string& key : keys)
        seen[when + " [" + section + "] " + key] = oracle_.Read(ini, section, key);
    }
  }

  // The file's encoding, and each line of c that it holds as it was.
  static void Kept(const Case& c, const std::string& ini, Seen& seen) {
    const auto [mark, lines] = Lines(ReadBytes(ini));
    seen["encoding"] = mark;
    const std::set<std::string> given = Lines(c.bytes).second;
    for (const std::string& line : lines) {
      if (given.count(line) != 0) seen["kept line " + line] = "kept";
    }
  }

  void ReferenceGenerations(const std::string& ini, const std::string& when, Seen& seen) {
    seen[when + " count"] = std::to_string(oracle::PerValueCount(oracle_, ini));
    for (int k = 1; k <= kRestorableGenerations; ++k)
      seen[when + " preview " + std::to_string(k)] =
          Joined(oracle::PerValueGeneration(oracle_, ini, k));
  }

  void DocumentGenerations(const std::string& ini, const std::string& when, Seen& seen) {
    const Settings settings(file_, ini);
    seen[when + " count"] = std::to_string(CountGenerations(settings.document()));
    // In the code page, cut as the ANSI functions hand them on: a UTF-16
    // file keeps 2,047 units of a value, which can be more bytes there.
    for (int k = 1; k <= kRestorableGenerations; ++k) {
      Texts values = ReadGeneration(settings.document(), k);
      for (std::string& value : values) {
        value = Utf8ToAnsi(value);
        value.resize(CutLength(value, 2047));
      }
      seen[when + " preview " + std::to_string(k)] = Joined(values);
    }
  }

  Win32Profile oracle_;
  Win32SettingsFile file_;
  int comparisons_ = 0;
  Texts differences_;
};

TEST_F(IniDifferential, StartUpsAndClosesAgreeWithThePrivateProfileFunctions) {
  const std::vector<Case> fixed = FixedCases();
  for (std::size_t i = 0; i < fixed.size(); ++i) Run(fixed[i], "fixed case " + std::to_string(i));
  constexpr unsigned kSeed = 20261207;
  constexpr int kGenerated = 60;
  CaseMaker maker(kSeed);
  for (int i = 0; i < kGenerated; ++i) {
    const Case c = maker.Make();
    Run(c, "generated case " + std::to_string(i));
  }
  std::cout << "differential: " << fixed.size() + kGenerated << " files, " << comparisons_
            << " comparisons, " << differences_.size() << " differences\n";
  for (const std::string& difference : differences_) ADD_FAILURE() << difference;
}

}  // namespace
}  // namespace velm::testing

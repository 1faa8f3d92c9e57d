#include "memory_registry.h"

#include <algorithm>

#include "ascii_lowered.h"
#include "core/entry_text.h"

namespace velm {

std::vector<char> Utf16Data(std::u16string_view units) {
  std::vector<char> data(units.size() * 2);
  for (std::size_t i = 0; i < units.size(); ++i) {
    data[2 * i] = static_cast<char>(units[i] & 0xFF);
    data[2 * i + 1] = static_cast<char>(units[i] >> 8);
  }
  return data;
}

void MemoryRegistry::RemoveKey() {
  ++changes_;
  key_present_ = false;
  values_.clear();
}

void MemoryRegistry::CreateKey() {
  if (!key_present_) ++changes_;
  key_present_ = true;
}

void MemoryRegistry::SetValue(const std::string& name, std::uint32_t type, std::vector<char> data) {
  key_present_ = true;
  ++changes_;
  values_[AsciiLowered(name)] = Value{type, std::move(data)};
}

void MemoryRegistry::SetString(const std::string& name, const std::string& text) {
  SetValue(name, kRegSz, Utf16Data(Wtf8ToUtf16(text) + u'\0'));
}

std::optional<MemoryRegistry::Value> MemoryRegistry::GetValue(const std::string& name) const {
  const auto it = values_.find(AsciiLowered(name));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::u16string> MemoryRegistry::Units(const std::string& name) const {
  const auto value = GetValue(name);
  if (!value) return std::nullopt;
  std::u16string units(value->data.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(value->data[2 * i]) |
                                     static_cast<unsigned char>(value->data[2 * i + 1]) << 8);
  }
  return units.substr(0, units.find(u'\0'));
}

std::optional<std::string> MemoryRegistry::Text(const std::string& name) const {
  const auto units = Units(name);
  if (!units) return std::nullopt;
  return Utf16ToWtf8(*units);
}

std::vector<std::string> MemoryRegistry::Names() const {
  std::vector<std::string> names;
  for (const auto& [name, value] : values_) names.push_back(name);
  return names;
}

void MemoryRegistry::FailDataQuery(const std::string& name, int times) {
  fail_data_[AsciiLowered(name)] = times;
}

void MemoryRegistry::FailWriteAt(const std::string& name) {
  fail_write_.insert(AsciiLowered(name));
}

void MemoryRegistry::ClearFaults() {
  fail_open_ = false;
  read_only_ = false;
  fail_data_.clear();
  fail_write_.clear();
  fail_stamp_ = false;
}

bool MemoryRegistry::Usable(Key key) {
  if (open_.count(key) != 0) return true;
  ++misuses_;
  return false;
}

OpenResult MemoryRegistry::Open(KeyUse use, Key* key) {
  log_.push_back("open");
  if (fail_open_ || (read_only_ && use != KeyUse::kLoad)) return OpenResult::kRefused;
  if (!key_present_ && use != KeyUse::kCreateForSave) return OpenResult::kMissing;
  key_present_ = true;
  ++opens_;
  *key = next_key_++;
  open_.insert(*key);
  return OpenResult::kOpened;
}

bool MemoryRegistry::QuerySize(Key key, const std::string& name, std::uint32_t* type,
                               std::uint32_t* size) {
  log_.push_back("size " + name);
  if (!Usable(key)) return false;
  const auto it = values_.find(AsciiLowered(name));
  if (it == values_.end()) return false;
  *type = it->second.type;
  *size = static_cast<std::uint32_t>(it->second.data.size());
  return true;
}

bool MemoryRegistry::QueryData(Key key, const std::string& name, std::uint32_t* type,
                               std::vector<char>* data) {
  log_.push_back("data " + name);
  if (!Usable(key)) return false;
  if (const auto fault = fail_data_.find(AsciiLowered(name));
      fault != fail_data_.end() && fault->second != 0) {
    if (fault->second > 0) --fault->second;
    return false;
  }
  const auto it = values_.find(AsciiLowered(name));
  if (it == values_.end()) return false;
  const std::vector<char>& stored = it->second.data;
  if (stored.size() > data->size()) return false;  // the buffer is too small
  std::copy(stored.begin(), stored.end(), data->begin());
  data->resize(stored.size());
  *type = it->second.type;
  return true;
}

bool MemoryRegistry::QueryLastWrite(Key key, std::uint64_t* stamp) {
  log_.push_back("stamp");
  if (!Usable(key) || fail_stamp_) return false;
  *stamp = changes_;
  return true;
}

void MemoryRegistry::Delete(Key key, const std::string& name) {
  log_.push_back("delete " + name);
  if (!Usable(key)) return;
  deletes_.push_back(name);
  if (values_.erase(AsciiLowered(name)) != 0) ++changes_;
}

bool MemoryRegistry::Write(Key key, const std::string& name, std::u16string_view text) {
  log_.push_back("write " + name);
  if (!Usable(key)) return false;
  if (fail_write_.count(AsciiLowered(name)) != 0) return false;
  writes_.push_back(name);
  ++changes_;
  values_[AsciiLowered(name)] = Value{kRegSz, Utf16Data(std::u16string(text) + u'\0')};
  return true;
}

void MemoryRegistry::Close(Key key) {
  log_.push_back("close");
  if (Usable(key)) open_.erase(key);
}

}  // namespace velm

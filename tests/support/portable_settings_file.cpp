#include "portable_settings_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace velm {

namespace fs = std::filesystem;

namespace {

bool IsWritable(fs::perms perms) {
  return (perms & fs::perms::owner_write) != fs::perms::none;
}

// Puts the new content into the temporary file. false: it could not, as with
// a full disk; the temporary file may then hold part of bytes.
bool WriteTemporary(const fs::path& temp_path, std::string_view bytes) {
  std::ofstream out(temp_path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

FileState PortableSettingsFile::Load(const SettingsPath& settings_path, std::string* bytes) {
  const fs::path path(settings_path.wide());
  bytes->clear();
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return FileState::kMissing;
  if (ec || status.type() != fs::file_type::regular) return FileState::kUnreadable;
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileState::kUnreadable;
  // In one read of the size the file has: copying through stream iterators
  // goes a byte at a time.
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return FileState::kUnreadable;
  in.seekg(0, std::ios::beg);
  bytes->resize(static_cast<std::size_t>(size));
  in.read(bytes->data(), size);
  bytes->resize(static_cast<std::size_t>(in.gcount()));
  return in.bad() ? FileState::kUnreadable : FileState::kLoaded;
}

bool PortableSettingsFile::Writable(const SettingsPath& settings_path) {
  const fs::path path(settings_path.wide());
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return true;
  return status.type() == fs::file_type::regular && IsWritable(status.permissions());
}

// Writes bytes to a temporary file beside path and renames it over path; a
// failure leaves path as it was and removes the temporary file.
bool PortableSettingsFile::Replace(const SettingsPath& settings_path, std::string_view bytes) {
  if (!Writable(settings_path)) return false;
  const fs::path path(settings_path.wide());
  std::error_code ec;
  const fs::file_status old = fs::status(path, ec);
  const bool existed = old.type() == fs::file_type::regular;

  const fs::path temp(settings_path.wide() + u".new");
  if (!WriteTemporary(temp, bytes)) {
    // What a failed write left behind; a folder of that name is not ours.
    if (fs::is_regular_file(temp, ec)) fs::remove(temp, ec);
    return false;
  }
  if (existed) fs::permissions(temp, old.permissions(), ec);
  fs::rename(temp, path, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return false;
  }
  return true;
}

}  // namespace velm

#include "stores/win32_settings_file.h"

#include <windows.h>

#include <limits>

#include "core/win32_handles.h"
#include "stores/file_replacement.h"
#include "stores/win32_file_replacement.h"

namespace velm {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

UniqueFile OpenExisting(const std::wstring& path, DWORD access) {
  return UniqueFile(CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

// ERROR_SUCCESS with the file's bytes, or why there are none.
DWORD LoadOnce(const std::wstring& path, std::string* bytes) {
  bytes->clear();
  UniqueFile file = OpenExisting(path, GENERIC_READ);
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) return GetLastError();
  if (size.QuadPart > std::numeric_limits<DWORD>::max()) return ERROR_FILE_TOO_LARGE;
  bytes->resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes->empty() &&
      !ReadFile(file.get(), bytes->data(), static_cast<DWORD>(bytes->size()), &read, nullptr)) {
    const DWORD error = GetLastError();  // a range another program locked
    bytes->clear();
    return error;
  }
  bytes->resize(read);
  return ERROR_SUCCESS;
}

}  // namespace

FileState Win32SettingsFile::Load(const SettingsPath& path, std::string* bytes) {
  const std::wstring wide = FileFunctionPath(path.wide());
  for (int attempt = 1;; ++attempt) {
    const DWORD error = LoadOnce(wide, bytes);
    if (error == ERROR_SUCCESS) return FileState::kLoaded;
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileState::kMissing;
    if (!HeldByAnother(error) || attempt == kReplaceAttempts) return FileState::kUnreadable;
    Sleep(kReplacePauseMilliseconds);
  }
}

bool Win32SettingsFile::Writable(const SettingsPath& path) {
  const std::wstring wide = FileFunctionPath(path.wide());
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // a new file
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
  // A hold is no refusal: the replacement waits it out.
  return OpenExisting(wide, GENERIC_WRITE).valid() || HeldByAnother(GetLastError());
}

bool Win32SettingsFile::Replace(const SettingsPath& path, std::string_view bytes) {
  return Writable(path) && ReplaceFileBytes(path.wide(), bytes);
}

}  // namespace velm

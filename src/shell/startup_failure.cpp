#include "shell/startup_failure.h"

#include <windows.h>

#include <cxxabi.h>

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string>
#include <typeinfo>

#include "core/ansi_text.h"
#include "core/report_text.h"
#include "core/texts.h"
#include "ui/win32_window_error.h"

namespace velm {

namespace {

std::string Demangled(const std::type_info& type) {
  int status = 0;
  char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  std::string out = status == 0 && name ? name : type.name();
  std::free(name);
  return out;
}

// The file name without its folder.
std::string FileNameOf(const std::string& path) {
  return path.substr(FolderLength(path));
}

struct Place {
  std::string module;
  std::uint32_t offset = 0;
};

Place PlaceOf(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCSTR>(address), &module))
    module = GetModuleHandleA(nullptr);
  char path[MAX_PATH] = "";
  GetModuleFileNameA(module, path, sizeof path);
  const auto offset =
      reinterpret_cast<std::uintptr_t>(address) - reinterpret_cast<std::uintptr_t>(module);
  return {FileNameOf(path), static_cast<std::uint32_t>(offset)};
}

}  // namespace

void ShowStartupFailure() noexcept {
  try {
    std::string type = "unknown";
    std::string message = text::kUnknownError;
    // Errors that do not know where they arose are placed here.
    const void* where = reinterpret_cast<const void*>(&ShowStartupFailure);
    try {
      throw;
    } catch (const ui::WindowCreationError& e) {
      type = Demangled(typeid(e));
      message = e.what();
      where = e.where();
    } catch (const std::exception& e) {
      type = Demangled(typeid(e));
      message = e.what();
    } catch (...) {
    }
    const Place place = PlaceOf(where);
    const std::string text = StartupFailureText(type, place.module, place.offset, message);
    MessageBoxA(nullptr, text.c_str(), text::kStartupFailureCaption,
                MB_OK | MB_TASKMODAL | MB_ICONHAND);
  } catch (...) {
    // Nothing more can be shown.
  }
}

}  // namespace velm

// Move-only owner of one handle (HKEY, HANDLE, HFONT, ...). Traits gives the
// handle type, its invalid value and how to close it:
//
//   struct KeyTraits {
//     using Handle = HKEY;
//     static Handle Invalid() { return nullptr; }
//     static void Close(Handle h) { RegCloseKey(h); }
//   };
//   using UniqueKey = UniqueResource<KeyTraits>;
//
// Copies are deleted, so a handle can never be closed twice.
#pragma once

#include <utility>

namespace velm {

template <typename Traits>
class UniqueResource {
 public:
  using Handle = typename Traits::Handle;

  UniqueResource() = default;
  explicit UniqueResource(Handle handle) : handle_(handle) {}
  ~UniqueResource() { reset(); }

  UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;

  [[nodiscard]] Handle get() const { return handle_; }
  [[nodiscard]] bool valid() const { return handle_ != Traits::Invalid(); }
  explicit operator bool() const { return valid(); }

  // Gives up ownership without closing.
  [[nodiscard]] Handle release() { return std::exchange(handle_, Traits::Invalid()); }

  // Closes the handle held (if any) and takes handle.
  void reset(Handle handle = Traits::Invalid()) {
    Handle old = std::exchange(handle_, handle);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Invalid();
};

}  // namespace velm

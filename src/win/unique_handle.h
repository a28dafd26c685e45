// Sole ownership of a Win32 handle: closed when its owner goes, with the
// closing function and the "no handle" value each kind of handle needs.
#pragma once

#include <windows.h>

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::kNone; }

  // Closes the held handle, if any, and takes `handle` instead.
  void Reset(Handle handle = Traits::kNone) {
    if (handle_ != Traits::kNone)
      Traits::Close(handle_);
    handle_ = handle;
  }
  // Gives the handle up without closing it.
  Handle Release() {
    Handle handle = handle_;
    handle_ = Traits::kNone;
    return handle;
  }

 private:
  Handle handle_ = Traits::kNone;
};

// Threads and events: their creating functions return nullptr on failure.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static constexpr HANDLE kNone = nullptr;
  static void Close(HANDLE handle) { CloseHandle(handle); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// Files: CreateFileW returns INVALID_HANDLE_VALUE on failure.
struct FileHandleTraits {
  using Handle = HANDLE;
  static inline const HANDLE kNone = INVALID_HANDLE_VALUE;
  static void Close(HANDLE handle) { CloseHandle(handle); }
};
using FileHandle = UniqueHandle<FileHandleTraits>;

struct FindHandleTraits {  // FindFirstFileA's search
  using Handle = HANDLE;
  static inline const HANDLE kNone = INVALID_HANDLE_VALUE;
  static void Close(HANDLE handle) { FindClose(handle); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

struct BrushTraits {
  using Handle = HBRUSH;
  static constexpr HBRUSH kNone = nullptr;
  static void Close(HBRUSH brush) { DeleteObject(brush); }
};
using Brush = UniqueHandle<BrushTraits>;

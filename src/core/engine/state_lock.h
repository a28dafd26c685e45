// The one lock between the host's thread and the info thread.
//
// The host's thread (every export) and the info thread (live windows) share
// the contest state, the Cabrillo header and the live windows' view. One lock
// guards all of it, and no part can be reached without it: each part's
// accessor asks for a LockHeld, and only WithLock makes one, for the duration
// of the function it runs.
//
// Rules: hold it only for short stretches of plain computation; never while
// showing a dialog or message box, calling the host through COM, sending a
// message to the other thread, or waiting for it. The lock does not nest.
#pragma once

#include <mutex>
#include <type_traits>
#include <utility>

class LockHeld;

template <typename Body>
auto WithLock(Body&& body);

// Proof that the lock is held: made by WithLock only, never copied.
class LockHeld {
 public:
  LockHeld(const LockHeld&) = delete;
  LockHeld& operator=(const LockHeld&) = delete;

 private:
  LockHeld() = default;
  static std::mutex& Mutex();

  template <typename Body>
  friend auto WithLock(Body&& body);
};

// Runs `body(held)` while holding the lock and returns its value, which is a
// copy: no pointer or reference to a guarded part may leave the function.
template <typename Body>
auto WithLock(Body&& body) {
  using Result = decltype(body(std::declval<const LockHeld&>()));
  static_assert(!std::is_pointer<Result>::value && !std::is_reference<Result>::value,
                "guarded state must not leave the lock");
  std::lock_guard<std::mutex> guard(LockHeld::Mutex());
  LockHeld held;
  return std::forward<Body>(body)(static_cast<const LockHeld&>(held));
}

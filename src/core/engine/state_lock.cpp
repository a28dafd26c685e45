#include "core/engine/state_lock.h"

std::mutex& LockHeld::Mutex() {
  static std::mutex lock;
  return lock;
}

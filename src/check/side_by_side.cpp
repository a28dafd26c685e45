#include "check/side_by_side.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "check/interned_text.h"

void RunSideBySide(int count, int lanes, const std::function<void(int item, int lane)>& work) {
  std::atomic<int> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr failure;
  std::mutex failureLock;
  auto lane = [&](int number) {
    for (int item = next++; item < count && !failed; item = next++) {
      try {
        work(item, number);
      } catch (...) {
        std::lock_guard<std::mutex> hold(failureLock);
        if (!failure)
          failure = std::current_exception();
        failed = true;
      }
    }
  };
  // The lanes are one run: they intern and read the caller's texts.
  TextPool& texts = CurrentTextPool();
  std::vector<std::thread> others;
  for (int l = 1; l < std::min(std::max(1, lanes), count); ++l) {
    others.emplace_back([&lane, &texts, l] {
      TextPoolScope run(texts);
      lane(l);
    });
  }
  lane(0);
  for (std::thread& thread : others)
    thread.join();
  if (failure)
    std::rethrow_exception(failure);
}

// Work on many items spread over a few threads ("lanes"), each item taken by
// the next free lane. The first exception stops the lanes and is thrown again
// in the caller's thread.
#pragma once

#include <functional>

// Runs `work(item, lane)` for every item in [0, count), `lanes` at a time
// (lane 0 in the caller's thread), every lane with the caller's texts.
void RunSideBySide(int count, int lanes, const std::function<void(int item, int lane)>& work);

// The worked-before and continent windows, as the district window's live
// update drives them. All of these run on the info thread.
#pragma once

#include <string>

#include "core/contest/contest_rules.h"

// Continent window (template 109): created for a Japanese operator only.
void CreateContinentWindow();  // modeless, no parent, shown; sets ContinentWindowHandle
// One flag per continent of the contest record, shown in its box.
void RefreshContinentWindow(const int flags[kContinentCount]);

// Worked-before window (template 108).
void CreateWorkedBeforeWindow();  // modeless, no parent, shown; sets WorkedBeforeWindowHandle
void SetWorkedBeforeTitle(const std::string& title);
void InvalidateWorkedBeforeList();  // control 1003, without erasing

// The end of the info thread: closes both windows if they still exist and
// clears their references.
void CloseLiveSideWindows();

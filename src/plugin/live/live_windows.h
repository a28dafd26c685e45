// The worked-before and continent windows, as the district window's live
// update drives them. All of these run on the info thread.
#pragma once

#include <string>

// Continent window (template 109): created for a Japanese operator only.
void CreateContinentWindow();  // modeless, no parent, shown; sets ContinentWindow
// Flags in the order EU, NA, SA, AF, AS, OC; transferred to the six boxes.
void RefreshContinentWindow(const int flags[6]);

// Worked-before window (template 108).
void CreateWorkedBeforeWindow();  // modeless, no parent, shown; sets WorkedBeforeWindow
void SetWorkedBeforeTitle(const std::string& title);
void InvalidateWorkedBeforeList();  // control 1003, without erasing

// The end of the info thread: closes both windows if they still exist and
// clears their references.
void CloseLiveSideWindows();

// The connection to the running host through its automation interface.
#pragma once

// End of every summary while the host is not attached: connects and sends the
// opening macros unless "Master" or "Multiplier" is on.
void AttachForSummary(int masterSetting, int multiplierSetting);
bool IsHostAttached();

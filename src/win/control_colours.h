// The colours of a window's controls: black text on one background.
#pragma once

#include <windows.h>

// On a WM_CTLCOLOR* message: sets black text on `textBackground` and answers
// `brush` for the rest of the control. False for other messages, and when
// there is no brush, which leaves the default colours.
bool AnswerControlColour(UINT message, WPARAM wParam, COLORREF textBackground, HBRUSH brush,
                         INT_PTR& result);

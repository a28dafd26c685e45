#include "win/control_colours.h"

bool AnswerControlColour(UINT message, WPARAM wParam, COLORREF textBackground, HBRUSH brush,
                         INT_PTR& result) {
  if (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC || brush == nullptr)
    return false;
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, textBackground);
  result = reinterpret_cast<INT_PTR>(brush);
  return true;
}

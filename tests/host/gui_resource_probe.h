// How many windows and GDI objects the process holds, to catch leaks.
// GetGuiResources answers 0 under Wine, so there the figures are measured:
// windows by enumeration, GDI objects by how many more the process can make.
#pragma once

#include <string>

struct GuiResources {
  int Windows = 0;     // top-level windows of the process and their children, hidden included
  int GdiObjects = 0;  // in use; under Wine relative to an empty handle table
  std::string Describe() const;
};

// Call only while no other thread of the process draws: the GDI probe fills
// the handle table for a moment.
GuiResources MeasureGuiResources();

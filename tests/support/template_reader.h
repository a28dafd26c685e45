// Reads a dialog template (DIALOGEX) out of a module's resources, so tests can
// compare it item by item with the intended layout.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
  int Id = 0;
  std::string ClassName;  // upper case; predefined classes by name ("BUTTON")
  std::string Text;
  int X = 0, Y = 0, Width = 0, Height = 0;
  DWORD Style = 0;
  DWORD ExStyle = 0;
};

struct DialogTemplateInfo {
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int Width = 0, Height = 0;
  std::string Caption;
  int FontPoints = 0;
  int FontWeight = 0;
  bool FontItalic = false;
  std::string FontFace;
  std::vector<TemplateItem> Items;

  const TemplateItem* Item(int id) const;
};

// False when the module has no such template or it is not a DIALOGEX.
bool ReadDialogTemplate(HMODULE module, int templateId, DialogTemplateInfo& out);

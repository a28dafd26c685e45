#include "template_reader.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// Walks the WORD-aligned fields of a template.
class Reader {
 public:
  explicit Reader(const BYTE* at) : at_(at) {}

  template <typename T>
  T Take() {
    T value;
    memcpy(&value, at_, sizeof value);
    at_ += sizeof value;
    return value;
  }

  std::string Text() {
    std::string text;
    for (WORD c = Take<WORD>(); c != 0; c = Take<WORD>())
      text += static_cast<char>(c < 0x80 ? c : '?');
    return text;
  }

  // A name or an ordinal (0xFFFF, then the number); `ordinal` gets the number.
  std::string NameOrOrdinal(int& ordinal) {
    ordinal = -1;
    WORD first;
    memcpy(&first, at_, sizeof first);
    if (first == 0xFFFF) {
      at_ += 2;
      ordinal = Take<WORD>();
      return "";
    }
    return Text();
  }

  void AlignDword(const BYTE* base) {
    while ((at_ - base) % 4 != 0)
      ++at_;
  }

  const BYTE* At() const { return at_; }
  void Skip(size_t bytes) { at_ += bytes; }

 private:
  const BYTE* at_;
};

std::string PredefinedClass(int atom) {
  switch (atom) {
    case 0x80:
      return "BUTTON";
    case 0x81:
      return "EDIT";
    case 0x82:
      return "STATIC";
    case 0x83:
      return "LISTBOX";
    case 0x84:
      return "SCROLLBAR";
    case 0x85:
      return "COMBOBOX";
    default:
      return "#" + std::to_string(atom);
  }
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

}  // namespace

const TemplateItem* DialogTemplateInfo::Item(int id) const {
  for (const TemplateItem& item : Items) {
    if (item.Id == id)
      return &item;
  }
  return nullptr;
}

bool ReadDialogTemplate(HMODULE module, int templateId, DialogTemplateInfo& out) {
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  auto base = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
  if (base == nullptr)
    return false;
  Reader r(base);
  if (r.Take<WORD>() != 1 || r.Take<WORD>() != 0xFFFF)
    return false;   // not a DIALOGEX
  r.Take<DWORD>();  // help id
  out = DialogTemplateInfo();
  out.ExStyle = r.Take<DWORD>();
  out.Style = r.Take<DWORD>();
  WORD count = r.Take<WORD>();
  r.Take<short>();
  r.Take<short>();
  out.Width = r.Take<short>();
  out.Height = r.Take<short>();
  int ordinal;
  r.NameOrOrdinal(ordinal);  // menu
  r.NameOrOrdinal(ordinal);  // class
  out.Caption = r.Text();
  if (out.Style & (DS_SETFONT | DS_SHELLFONT)) {
    out.FontPoints = r.Take<WORD>();
    out.FontWeight = r.Take<WORD>();
    out.FontItalic = r.Take<BYTE>() != 0;
    r.Take<BYTE>();  // character set
    out.FontFace = r.Text();
  }
  for (WORD i = 0; i < count; ++i) {
    r.AlignDword(base);
    TemplateItem item;
    r.Take<DWORD>();  // help id
    item.ExStyle = r.Take<DWORD>();
    item.Style = r.Take<DWORD>();
    item.X = r.Take<short>();
    item.Y = r.Take<short>();
    item.Width = r.Take<short>();
    item.Height = r.Take<short>();
    item.Id = static_cast<int>(r.Take<DWORD>());
    std::string className = r.NameOrOrdinal(ordinal);
    item.ClassName = ordinal >= 0 ? PredefinedClass(ordinal) : Upper(className);
    item.Text = r.NameOrOrdinal(ordinal);
    if (ordinal >= 0)
      item.Text = "#" + std::to_string(ordinal);
    r.Skip(r.Take<WORD>());  // creation data
    out.Items.push_back(item);
  }
  return true;
}

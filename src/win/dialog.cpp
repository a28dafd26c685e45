#include "win/dialog.h"

#include <cstring>
#include <vector>

#include "win/module.h"

void DataExchange::Check(int id, int& flag) {
  if (saving_) {
    flag = IsDlgButtonChecked(dialog_, id) == BST_CHECKED ? 1 : 0;
  } else {
    // 2 is the indeterminate state, which a two-state box shows as a tick.
    CheckDlgButton(dialog_, id, flag >= 0 && flag <= 2 ? static_cast<UINT>(flag) : BST_UNCHECKED);
  }
}

namespace {
std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1);
  GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
  return buffer.data();
}
}  // namespace

void DataExchange::EditText(int id, std::string& text) {
  HWND control = GetDlgItem(dialog_, id);
  if (saving_) {
    text = WindowText(control);
  } else {
    SetWindowTextA(control, text.c_str());
  }
}

void DataExchange::ComboText(int id, std::string& text) {
  HWND combo = GetDlgItem(dialog_, id);
  if (saving_) {
    text = WindowText(combo);
    return;
  }
  // CB_SELECTSTRING matches a prefix, ignoring case; it fails for an empty text.
  if (text.empty() || SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(text.c_str())) == CB_ERR) {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextA(combo, text.c_str());
  }
}

namespace {

// Combo lists that belong to a template: an RCDATA resource of the template's
// id, when there is one, holds entries of a 16-bit control id and a
// NUL-terminated text, ended by id 0. They are added before the data exchange,
// which selects among them.
void FillListsFromTemplate(HWND dialog, int templateId) {
  HRSRC found = FindResourceA(ModuleInstance(), MAKEINTRESOURCEA(templateId), RT_RCDATA);
  if (found == nullptr)
    return;
  HGLOBAL loaded = LoadResource(ModuleInstance(), found);
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (data == nullptr)
    return;
  const char* end = data + SizeofResource(ModuleInstance(), found);
  while (end - data >= 2) {
    WORD id = 0;
    memcpy(&id, data, sizeof id);
    data += sizeof id;
    if (id == 0)
      break;
    const char* text = data;
    while (data < end && *data != '\0')
      ++data;
    if (data == end)
      break;  // an unterminated text: stop rather than read past the resource
    ++data;
    SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
}

}  // namespace

DialogBase::~DialogBase() {
  if (hwnd_ != nullptr) {
    SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
    if (!modal_)
      DestroyWindow(hwnd_);
  }
}

INT_PTR DialogBase::RunModal(HWND owner) {
  modal_ = true;
  return DialogBoxParamA(ModuleInstance(), MAKEINTRESOURCEA(templateId_), owner, Thunk,
                         reinterpret_cast<LPARAM>(this));
}

HWND DialogBase::CreateModeless(HWND owner, int showCommand) {
  modal_ = false;
  HWND window = CreateDialogParamA(ModuleInstance(), MAKEINTRESOURCEA(templateId_), owner, Thunk,
                                   reinterpret_cast<LPARAM>(this));
  if (window != nullptr)
    ShowWindow(window, showCommand);
  return window;
}

void DialogBase::Exchange(bool saving) {
  if (hwnd_ == nullptr)
    return;
  DataExchange exchange(hwnd_, saving);
  ExchangeFields(exchange);
}

void DialogBase::OnOK() {
  TakeFields();
  if (modal_) {
    EndDialog(hwnd_, IDOK);
  } else {
    DestroyWindow(hwnd_);
  }
}

void DialogBase::OnCancel() {
  if (modal_) {
    EndDialog(hwnd_, IDCANCEL);
  } else {
    DestroyWindow(hwnd_);
  }
}

bool DialogBase::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  switch (message) {
    case WM_INITDIALOG:
      FillListsFromTemplate(hwnd_, templateId_);
      ShowFields();
      result = OnInit() ? TRUE : FALSE;
      return true;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
        OnOK();
        return true;
      }
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
        OnCancel();  // also Esc and the close box, which the dialog manager turns into IDCANCEL
        return true;
      }
      return false;
    case WM_CLOSE:
      OnCancel();
      result = TRUE;  // handled: the dialog manager must not cancel a second time
      return true;
    default:
      return false;
  }
}

INT_PTR CALLBACK DialogBase::Thunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    reinterpret_cast<DialogBase*>(lParam)->hwnd_ = window;
  }
  auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrA(window, DWLP_USER));
  if (self == nullptr)
    return FALSE;  // messages before WM_INITDIALOG get default handling
  INT_PTR result = FALSE;
  bool handled = false;
  try {
    handled = self->OnMessage(message, wParam, lParam, result);
  } catch (...) {
    handled = false;  // nothing may unwind into the dialog manager
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    self->OnDestroyed();  // may delete the object: touch nothing after it
    return FALSE;
  }
  return handled ? result : FALSE;
}

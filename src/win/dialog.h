// A thin dialog base: one message switch, a static thunk that keeps `this` in
// DWLP_USER, modal and modeless variants, and two-way data exchange. Combo
// lists come with the template (an RCDATA resource of the same id).
#pragma once

#include <windows.h>

#include <string>

// Moves values between a dialog's fields and its controls, one direction per pass.
class DataExchange {
 public:
  DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}

  // Loading shows 0, 1 and 2 as the box's unchecked, checked and indeterminate
  // states; other values show clear. Saving gives 1 for a tick, 0 otherwise.
  void Check(int id, int& flag);
  void EditText(int id, std::string& text);
  // Loading selects the first list entry that begins with the text (any case),
  // else puts the text in the edit part; saving reads the edit part.
  void ComboText(int id, std::string& text);

 private:
  const HWND dialog_;
  const bool saving_;
};

class DialogBase {
 public:
  explicit DialogBase(int templateId) : templateId_(templateId) {}
  virtual ~DialogBase();
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;

  HWND Handle() const { return hwnd_; }

  // Runs the dialog modally on the calling thread; -1 when it cannot be shown.
  INT_PTR RunModal(HWND owner);
  // Creates the dialog modelessly and shows it with `showCommand`; null when
  // it cannot be created.
  HWND CreateModeless(HWND owner, int showCommand = SW_SHOW);

  // The fields into the controls, or the controls back into the fields.
  void ShowFields() { Exchange(false); }
  void TakeFields() { Exchange(true); }

 protected:
  // Returns true when the message was handled; `result` is then the answer.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
  // After the controls exist and the fields are shown; true lets the default focus apply.
  virtual bool OnInit() { return true; }
  // Pairs each field with its control; ShowFields and TakeFields run it.
  virtual void ExchangeFields(DataExchange&) {}
  virtual void OnOK();
  virtual void OnCancel();
  // The window is gone (WM_NCDESTROY); Handle() is null from here on.
  virtual void OnDestroyed() {}

 private:
  static INT_PTR CALLBACK Thunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Exchange(bool saving);

  const int templateId_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

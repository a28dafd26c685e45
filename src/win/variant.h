// A VARIANT that clears itself: whatever it holds (a string, an interface) is
// freed when it goes or is overwritten by a call that fills it.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  explicit Variant(LONG number) : Variant() {
    V_VT(&value_) = VT_I4;
    V_I4(&value_) = number;
  }
  // Takes ownership of `text`, a string from SysAllocString.
  explicit Variant(BSTR text) : Variant() {
    V_VT(&value_) = VT_BSTR;
    V_BSTR(&value_) = text;
  }

  VARIANT* Get() { return &value_; }
  const VARIANT* Get() const { return &value_; }

 private:
  VARIANT value_;
};

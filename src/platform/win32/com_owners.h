// Owners for what COM calls hand out: an interface pointer (one reference),
// a BSTR and a VARIANT. Each gives its thing back in its destructor, so no
// early return can leak one.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "platform/win32/handles.h"

namespace corvane::win32 {

struct ComTraits : NullIsNone {
  static void Free(IUnknown* pointer) { pointer->Release(); }
};
struct BstrTraits : NullIsNone {
  static void Free(BSTR text) { SysFreeString(text); }
};

// One reference to a COM interface; move-only.
template <typename Interface>
class ComPtr : public OwnedHandle<Interface*, ComTraits> {
 public:
  Interface* operator->() const { return this->get(); }
  void** ReceiveVoid() { return reinterpret_cast<void**>(this->Receive()); }
};

// A BSTR, ours to free.
class Bstr : public OwnedHandle<BSTR, BstrTraits> {
 public:
  Bstr() = default;
  // Null when the system had no memory for it; a BSTR carries its length,
  // so the text is taken whole.
  explicit Bstr(const std::wstring& text)
      : OwnedHandle(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}

  // Units, embedded NULs included.
  std::wstring Text() const {
    return get() == nullptr ? std::wstring() : std::wstring(get(), SysStringLen(get()));
  }
};

// A VARIANT, cleared when it goes; a new one is empty (VT_EMPTY).
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  explicit Variant(LONG number) : Variant() {
    value_.vt = VT_I4;
    value_.lVal = number;
  }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  // COM takes VARIANT arguments by value, as a shallow copy it does not own.
  const VARIANT& get() const { return value_; }
  // For a call that fills it in; what it held is cleared first.
  VARIANT* Receive() {
    VariantClear(&value_);
    return &value_;
  }

 private:
  VARIANT value_;
};

}  // namespace corvane::win32

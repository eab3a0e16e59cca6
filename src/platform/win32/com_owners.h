// Owners for what COM calls hand out: an interface pointer (one reference),
// a BSTR and a VARIANT. Each gives its thing back in its destructor, so no
// early return can leak one.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace corvane::win32 {

// One reference to a COM interface; move-only.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    ComPtr taken(std::move(other));
    std::swap(pointer_, taken.pointer_);
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  void Reset() {
    if (pointer_ != nullptr) std::exchange(pointer_, nullptr)->Release();
  }
  // The slot for a call that hands out a new reference; any held one is
  // released first.
  Interface** Receive() {
    Reset();
    return &pointer_;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

 private:
  Interface* pointer_ = nullptr;
};

// A BSTR, ours to free.
class Bstr {
 public:
  Bstr() = default;
  // Null when the system had no memory for it; a BSTR carries its length,
  // so the text is taken whole.
  explicit Bstr(const std::wstring& text)
      : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Bstr() { SysFreeString(text_); }
  Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
  Bstr& operator=(Bstr&& other) noexcept {
    Bstr taken(std::move(other));
    std::swap(text_, taken.text_);
    return *this;
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR get() const { return text_; }
  explicit operator bool() const { return text_ != nullptr; }
  // Units, embedded NULs included.
  std::wstring Text() const {
    return text_ == nullptr ? std::wstring() : std::wstring(text_, SysStringLen(text_));
  }
  BSTR* Receive() {
    *this = Bstr();
    return &text_;
  }

 private:
  BSTR text_ = nullptr;
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

 private:
  VARIANT value_;
};

}  // namespace corvane::win32

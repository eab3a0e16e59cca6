#include "platform/win32/com_apartment.h"

#include <windows.h>
#include <objbase.h>

namespace corvane::win32 {

ComApartment::ComApartment() {
  // S_FALSE: this thread was in such an apartment already; it still counts,
  // and is left once more.
  const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  entered_ = SUCCEEDED(result);
}

ComApartment::~ComApartment() {
  if (entered_) CoUninitialize();
}

}  // namespace corvane::win32

#include "platform/win32/win32_event_subscriptions.h"

#include <wbemcli.h>
#include <windows.h>

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

#include "platform/event_subscription.h"
#include "platform/win32/com_connection.h"
#include "platform/win32/wide.h"

namespace corvane {
namespace {

using win32::Bstr;
using win32::ComPtr;
using win32::Disconnected;
using win32::Variant;

constexpr HRESULT kInvalidNamespace = static_cast<HRESULT>(WBEM_E_INVALID_NAMESPACE);
constexpr HRESULT kAlreadyExists = static_cast<HRESULT>(WBEM_E_ALREADY_EXISTS);

// WMI acts for the caller only when the proxy lets it impersonate; a call
// answered in-process has no proxy, which the call's failure just says.
void AllowImpersonation(IUnknown* proxy) {
  CoSetProxyBlanket(proxy, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                    RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
}

HRESULT Connect(ComPtr<IWbemServices>& services) {
  ComPtr<IWbemLocator> locator;
  HRESULT result = CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWbemLocator, locator.ReceiveVoid());
  if (FAILED(result)) return result;
  const Bstr space(L"ROOT\\subscription");
  if (!space) return E_OUTOFMEMORY;
  ComPtr<IWbemServices> made;
  result = locator->ConnectServer(space.get(), nullptr, nullptr, nullptr,
                                  WBEM_FLAG_CONNECT_USE_MAX_WAIT, nullptr, nullptr, made.Receive());
  if (FAILED(result)) return result;
  AllowImpersonation(made.get());
  services = std::move(made);
  return S_OK;
}

// A text property's value; "" when it has none.
std::wstring TextOf(IWbemClassObject* object, const wchar_t* name) {
  Variant value;
  if (FAILED(object->Get(name, 0, value.Receive(), nullptr, nullptr)) ||
      value.get().vt != VT_BSTR || value.get().bstrVal == nullptr) {
    return L"";
  }
  return std::wstring(value.get().bstrVal, SysStringLen(value.get().bstrVal));
}

HRESULT ObjectAt(IWbemServices* services, const std::wstring& path,
                 ComPtr<IWbemClassObject>& object) {
  const Bstr text(path);
  if (!text) return E_OUTOFMEMORY;
  return services->GetObject(text.get(), WBEM_FLAG_RETURN_WBEM_COMPLETE, nullptr, object.Receive(),
                             nullptr);
}

// The value as a definition keeps it; false for a kind it does not keep
// (null, arrays such as the creator's SID, which WMI sets itself).
bool KeptValue(const VARIANT& value, CIMTYPE type, WmiProperty& property) {
  switch (value.vt) {
    case VT_BSTR:
      property.type = WmiProperty::Type::kText;
      property.value = win32::Utf8(std::wstring(value.bstrVal, SysStringLen(value.bstrVal)));
      return true;
    case VT_BOOL:
      property.type = WmiProperty::Type::kSwitch;
      property.value = value.boolVal ? "true" : "false";
      return true;
    case VT_I4:  // also a uint32, whose high values read negative
      property.type = WmiProperty::Type::kNumber;
      property.value = type == CIM_UINT32 ? std::to_string(static_cast<ULONG>(value.lVal))
                                          : std::to_string(value.lVal);
      return true;
    case VT_I2:
      property.type = WmiProperty::Type::kNumber;
      property.value = std::to_string(value.iVal);
      return true;
    case VT_UI1:
      property.type = WmiProperty::Type::kNumber;
      property.value = std::to_string(value.bVal);
      return true;
    default:
      return false;
  }
}

// The object's own properties that define it.
HRESULT ReadProperties(IWbemClassObject* object, std::vector<WmiProperty>& properties) {
  HRESULT result = object->BeginEnumeration(WBEM_FLAG_NONSYSTEM_ONLY);
  while (SUCCEEDED(result)) {
    Bstr name;
    Variant value;
    CIMTYPE type = 0;
    result = object->Next(0, name.Receive(), value.Receive(), &type, nullptr);
    if (result != WBEM_S_NO_ERROR) break;
    WmiProperty property;
    property.name = win32::Utf8(name.Text());
    if (KeptValue(value.get(), type, property)) properties.push_back(std::move(property));
  }
  object->EndEnumeration();
  return result == WBEM_S_NO_MORE_DATA ? S_OK : result;
}

// A binding of a filter to a consumer that runs code, with the relative
// paths of the three objects.
struct Bound {
  EventSubscription subscription;
  std::wstring binding, filter, consumer;
};

// The bindings that run code, and the filters and consumers that every
// binding uses (so that one still in use elsewhere is never deleted). A
// binding whose filter or consumer is gone runs nothing and is passed over.
struct Listing {
  std::vector<Bound> bound;
  std::vector<std::wstring> filters, consumers;

  const Bound* Find(const std::string& name) const {
    const auto found = std::find_if(bound.begin(), bound.end(), [&](const Bound& item) {
      return SubscriptionName(item.subscription) == name;
    });
    return found == bound.end() ? nullptr : &*found;
  }
};

HRESULT ReadBinding(IWbemServices* services, IWbemClassObject* binding, Listing& listing) {
  ComPtr<IWbemClassObject> filter, consumer;
  HRESULT result = ObjectAt(services, TextOf(binding, L"Filter"), filter);
  if (SUCCEEDED(result)) result = ObjectAt(services, TextOf(binding, L"Consumer"), consumer);
  if (FAILED(result)) return Disconnected(result) ? result : S_OK;
  Bound item{{},
             TextOf(binding, L"__RELPATH"),
             TextOf(filter.get(), L"__RELPATH"),
             TextOf(consumer.get(), L"__RELPATH")};
  listing.filters.push_back(item.filter);
  listing.consumers.push_back(item.consumer);
  item.subscription.consumer_class = win32::Utf8(TextOf(consumer.get(), L"__CLASS"));
  if (!IsCodeConsumer(item.subscription.consumer_class)) return S_OK;
  result = ReadProperties(filter.get(), item.subscription.filter);
  if (SUCCEEDED(result)) result = ReadProperties(consumer.get(), item.subscription.consumer);
  if (FAILED(result)) return Disconnected(result) ? result : S_OK;
  listing.bound.push_back(std::move(item));
  return S_OK;
}

HRESULT ReadAll(IWbemServices* services, Listing& listing) {
  listing = {};
  const Bstr language(L"WQL");
  const Bstr query(L"SELECT * FROM __FilterToConsumerBinding");
  if (!language || !query) return E_OUTOFMEMORY;
  ComPtr<IEnumWbemClassObject> bindings;
  HRESULT result = services->ExecQuery(language.get(), query.get(),
                                       WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                       nullptr, bindings.Receive());
  if (FAILED(result)) return result;
  AllowImpersonation(bindings.get());
  for (;;) {
    ComPtr<IWbemClassObject> binding;
    ULONG returned = 0;
    result = bindings->Next(static_cast<LONG>(WBEM_INFINITE), 1, binding.Receive(), &returned);
    if (FAILED(result)) return result;
    if (returned == 0) return S_OK;
    result = ReadBinding(services, binding.get(), listing);
    if (FAILED(result)) return result;
  }
}

HRESULT DeleteAt(IWbemServices* services, const std::wstring& path) {
  const Bstr text(path);
  return text ? services->DeleteInstance(text.get(), 0, nullptr, nullptr) : E_OUTOFMEMORY;
}

HRESULT PutValue(IWbemClassObject* object, const WmiProperty& property) {
  const auto name = win32::Wide(property.name);
  VARIANT value;
  VariantInit(&value);
  Bstr text;
  switch (property.type) {
    case WmiProperty::Type::kText:
      text = Bstr(win32::Wide(property.value));
      if (!text) return E_OUTOFMEMORY;
      value.vt = VT_BSTR;
      value.bstrVal = text.get();
      break;
    case WmiProperty::Type::kSwitch:
      value.vt = VT_BOOL;
      value.boolVal = property.value == "true" ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case WmiProperty::Type::kNumber:
      value.vt = VT_I4;
      value.lVal = static_cast<LONG>(std::stoll(property.value));
      break;
  }
  return object->Put(name.c_str(), 0, &value, 0);
}

// Makes the object of that class with those properties, unless one of its
// path is there (a binding has no path of its own here): then that one must
// be what the definition says. `made`
// tells whether this call made it.
HRESULT MakeObject(IWbemServices* services, const std::string& class_name,
                   const std::vector<WmiProperty>& properties, const std::wstring& path,
                   bool& made) {
  made = false;
  ComPtr<IWbemClassObject> existing;
  if (!path.empty() && SUCCEEDED(ObjectAt(services, path, existing))) {
    std::vector<WmiProperty> kept;
    const HRESULT result = ReadProperties(existing.get(), kept);
    if (FAILED(result)) return result;
    const auto key = [](const WmiProperty& p) { return std::make_pair(p.name, p.value); };
    auto wanted = properties;
    const auto by_name = [&](const WmiProperty& a, const WmiProperty& b) {
      return key(a) < key(b);
    };
    std::sort(kept.begin(), kept.end(), by_name);
    std::sort(wanted.begin(), wanted.end(), by_name);
    const bool same = std::equal(kept.begin(), kept.end(), wanted.begin(), wanted.end(),
                                 [&](const auto& a, const auto& b) { return key(a) == key(b); });
    return same ? S_OK : kAlreadyExists;
  }
  ComPtr<IWbemClassObject> definition, object;
  HRESULT result = ObjectAt(services, win32::Wide(class_name), definition);
  if (SUCCEEDED(result)) result = definition->SpawnInstance(0, object.Receive());
  for (const auto& property : properties) {
    if (SUCCEEDED(result)) result = PutValue(object.get(), property);
  }
  if (SUCCEEDED(result)) {
    result = services->PutInstance(object.get(), WBEM_FLAG_CREATE_ONLY, nullptr, nullptr);
  }
  made = SUCCEEDED(result);
  return result;
}

// The filter and the consumer where they are missing, then the binding;
// what this call made is taken away again when a later step fails.
HRESULT MakeSubscription(IWbemServices* services, const EventSubscription& subscription) {
  const auto filter =
      win32::Wide(WmiObjectPath(kEventFilterClass, PropertyText(subscription.filter, "Name")));
  const auto consumer = win32::Wide(
      WmiObjectPath(subscription.consumer_class, PropertyText(subscription.consumer, "Name")));
  bool made_filter = false, made_consumer = false, made_binding = false;
  HRESULT result =
      MakeObject(services, kEventFilterClass, subscription.filter, filter, made_filter);
  if (SUCCEEDED(result)) {
    result = MakeObject(services, subscription.consumer_class, subscription.consumer, consumer,
                        made_consumer);
  }
  if (SUCCEEDED(result)) {
    const std::vector<WmiProperty> ends = {
        {"Filter", WmiProperty::Type::kText, win32::Utf8(filter)},
        {"Consumer", WmiProperty::Type::kText, win32::Utf8(consumer)}};
    result = MakeObject(services, kBindingClass, ends, L"", made_binding);
  }
  if (FAILED(result)) {
    if (made_consumer) DeleteAt(services, consumer);
    if (made_filter) DeleteAt(services, filter);
  }
  return result;
}

}  // namespace

Win32EventSubscriptions::Win32EventSubscriptions() = default;
Win32EventSubscriptions::~Win32EventSubscriptions() = default;

namespace {

// Runs `operation` on every subscription read afresh; no value when the
// namespace cannot be reached.
template <typename Operation>
HRESULT WithListing(ComPtr<IWbemServices>& services, bool& no_namespace, Operation operation) {
  if (no_namespace) return kInvalidNamespace;
  const HRESULT result = win32::WithConnection(services, Connect, [&](IWbemServices* connected) {
    Listing listing;
    const HRESULT read = ReadAll(connected, listing);
    return FAILED(read) ? read : operation(connected, listing);
  });
  no_namespace = result == kInvalidNamespace;
  return result;
}

}  // namespace

std::optional<std::vector<std::string>> Win32EventSubscriptions::Names() {
  try {
    std::vector<std::string> names;
    const HRESULT result =
        WithListing(services_, no_namespace_, [&](IWbemServices*, const Listing& listing) {
          for (const auto& item : listing.bound)
            names.push_back(SubscriptionName(item.subscription));
          return S_OK;
        });
    if (FAILED(result)) return std::nullopt;
    return names;
  } catch (const std::exception&) {  // out of memory, mostly
    return std::nullopt;
  }
}

std::optional<bool> Win32EventSubscriptions::Has(const std::string& name) {
  try {
    bool found = false;
    const HRESULT result =
        WithListing(services_, no_namespace_, [&](IWbemServices*, const Listing& listing) {
          found = listing.Find(name) != nullptr;
          return S_OK;
        });
    if (FAILED(result)) return std::nullopt;
    return found;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

bool Win32EventSubscriptions::Delete(const std::string& name) {
  try {
    return WithListing(services_, no_namespace_,
                       [&](IWbemServices* services, const Listing& listing) {
                         const auto* item = listing.Find(name);
                         if (item == nullptr) return S_FALSE;
                         const HRESULT result = DeleteAt(services, item->binding);
                         if (FAILED(result)) return result;
                         // The binding alone stops it; the filter and the consumer go
                         // too unless another binding uses them.
                         const auto only_here = [](const std::vector<std::wstring>& used,
                                                   const std::wstring& path) {
                           return std::count(used.begin(), used.end(), path) == 1;
                         };
                         if (only_here(listing.consumers, item->consumer))
                           DeleteAt(services, item->consumer);
                         if (only_here(listing.filters, item->filter))
                           DeleteAt(services, item->filter);
                         return S_OK;
                       }) == S_OK;
  } catch (const std::exception&) {
    return false;
  }
}

std::optional<std::string> Win32EventSubscriptions::Definition(const std::string& name) {
  try {
    std::optional<std::string> definition;
    WithListing(services_, no_namespace_, [&](IWbemServices*, const Listing& listing) {
      if (const auto* item = listing.Find(name)) {
        definition = FormatSubscription(item->subscription);
      }
      return S_OK;
    });
    return definition;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

bool Win32EventSubscriptions::Register(const std::string& name, const std::string& definition) {
  try {
    const auto subscription = ParseSubscription(definition);
    if (!subscription || SubscriptionName(*subscription) != name) return false;
    return SUCCEEDED(
        WithListing(services_, no_namespace_, [&](IWbemServices* services, const Listing& listing) {
          if (listing.Find(name) != nullptr) return kAlreadyExists;
          return MakeSubscription(services, *subscription);
        }));
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace corvane

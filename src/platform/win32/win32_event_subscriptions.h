// WMI's permanent event subscriptions in the root\subscription namespace:
// each binding of an event filter to a consumer that runs a command line or
// a script. The thread that uses this object must be in a COM apartment
// (win32::ComApartment) until the object is gone.
#pragma once

#include <string>

#include "platform/definition_library.h"
#include "platform/win32/com_owners.h"

struct IWbemServices;

namespace corvane {

class Win32EventSubscriptions : public DefinitionLibrary {
 public:
  Win32EventSubscriptions();
  ~Win32EventSubscriptions() override;
  Win32EventSubscriptions(const Win32EventSubscriptions&) = delete;
  Win32EventSubscriptions& operator=(const Win32EventSubscriptions&) = delete;

  std::optional<std::vector<std::string>> Names() override;
  std::optional<bool> Has(const std::string& name) override;
  bool Delete(const std::string& name) override;
  std::optional<std::string> Definition(const std::string& name) override;
  bool Register(const std::string& name, const std::string& definition) override;

 private:
  // The connection made on first use, kept; one that broke is made anew.
  win32::ComPtr<IWbemServices> services_;
  // A Windows without the namespace (Wine has none) is not asked again.
  bool no_namespace_ = false;
};

}  // namespace corvane

// The Task Scheduler library of the machine, through its 2.0 interfaces.
// The thread that uses this object must be in a single-threaded COM
// apartment (win32::ComApartment) until the object is gone; on a thread
// outside one, the library cannot be reached.
#pragma once

#include <string>

#include "platform/definition_library.h"
#include "platform/win32/com_owners.h"

struct ITaskService;

namespace corvane {

// The folder where the library keeps its task files (also from a 32-bit
// program on 64-bit Windows), or "" when it cannot tell.
std::string TaskStoreFolder();

class Win32TaskScheduler : public DefinitionLibrary {
 public:
  Win32TaskScheduler();
  ~Win32TaskScheduler() override;
  Win32TaskScheduler(const Win32TaskScheduler&) = delete;
  Win32TaskScheduler& operator=(const Win32TaskScheduler&) = delete;

  std::optional<std::vector<std::string>> Names() override;
  std::optional<bool> Has(const std::string& path) override;
  bool Delete(const std::string& path) override;
  std::optional<std::string> Definition(const std::string& path) override;
  bool Register(const std::string& path, const std::string& definition) override;

 private:
  // The connection made on first use, kept; one that broke (the service
  // restarted) is made anew, once per call.
  win32::ComPtr<ITaskService> service_;
};

}  // namespace corvane

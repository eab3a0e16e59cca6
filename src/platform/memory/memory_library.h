// An in-memory library for the host build: items by name in the order they
// were added, case ignored as Windows ignores it, and the failures a real
// library can have.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/definition_library.h"

namespace corvane {

class MemoryLibrary : public DefinitionLibrary {
 public:
  std::optional<std::vector<std::string>> Names() override;
  std::optional<bool> Has(const std::string& name) override;
  bool Delete(const std::string& name) override;
  std::optional<std::string> Definition(const std::string& name) override;
  bool Register(const std::string& name, const std::string& definition) override;

  // Set-up for tests. Items are listed in the order they were added.
  void Add(const std::string& name, const std::string& definition = "");
  void RefuseDeleting(const std::string& name);
  // While unreachable, nothing can be listed, looked up or deleted.
  void SetReachable(bool reachable) { reachable_ = reachable; }
  // How often the library was listed: once per scan of its row.
  int Listings() const { return listings_; }

 private:
  std::vector<std::string> names_;
  std::set<std::string> refused_;                   // folded names
  std::map<std::string, std::string> definitions_;  // by folded name
  bool reachable_ = true;
  int listings_ = 0;
};

}  // namespace corvane

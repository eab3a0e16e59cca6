#include "monitor/startup_entry.h"

namespace corvane {

RegistryRoot RootOfCode(char root_code) {
  return root_code == kLocalMachineRootCode ? RegistryRoot::kLocalMachine
                                            : RegistryRoot::kCurrentUser;
}

std::string MakeRunValueEntry(char root_code, const std::string& key_path,
                              const std::string& value_name) {
  return root_code + key_path + '\\' + value_name;
}

std::string MakeValueWithDataEntry(char type_code, char root_code, const std::string& key_path,
                                   const std::string& value_name, const std::string& data) {
  return type_code + (root_code + key_path + '\\' + value_name + '\\' + data);
}

std::string MakeNamedValueEntry(char type_code, char root_code, const std::string& key_path,
                                const std::string& value_name) {
  return type_code + (root_code + key_path + '\\' + value_name);
}

std::string MakeEntry(char type_code, const std::string& text) { return type_code + text; }

}  // namespace corvane

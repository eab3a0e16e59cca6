#include "monitor/approved_state.h"

#include "monitor/autostart_locations.h"
#include "monitor/startup_entry.h"
#include "platform/case_fold.h"
#include "texts.h"

namespace corvane {

namespace {

constexpr std::uint32_t kBinaryValueType = 3;  // REG_BINARY
constexpr const char* kApprovedKey = locations::kStartupApprovedKey;

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('\\');
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

}  // namespace

const char* ApprovedStateText(const RawValue& value) {
  const bool disabled =
      value.type == kBinaryValueType && !value.bytes.empty() && (value.bytes[0] & 1) != 0;
  return disabled ? texts::kApprovedDisabled : texts::kApprovedEnabled;
}

StartedCommand CommandOfRowValue(const EntryKind& kind, RawValue value) {
  if (kind.command != CommandFrom::kApprovedState) return CommandOfValue(std::move(value));
  std::string state = ApprovedStateText(value);
  return {std::move(state), std::move(value), {}};
}

std::string ApprovedEntryOf(const ValuePlace& place) {
  for (const auto& kind : EntryKinds()) {
    if (kind.command == CommandFrom::kApprovedState &&
        RootOfCode(kind.keys.front().root_code) == place.root) {
      return MakeRunValueEntry(kind.type_code, place.key_path, place.name);
    }
  }
  return "";
}

std::optional<ValuePlace> ApprovedValueOf(const LocatedEntry& item,
                                          const Environment& environment) {
  switch (item.kind->approved) {
    case Approved::kNone:
      break;
    case Approved::kRunValue: {
      // The Run key of each registry view.
      const auto views = ViewsOf({item.root_code, locations::kMachineRunKey, Views::kBoth});
      for (std::size_t at = 0; at < views.size(); ++at) {
        if (item.key_path != views[at]) continue;
        return ValuePlace{item.root, std::string(kApprovedKey) + (at == 0 ? "\\Run" : "\\Run32"),
                          item.name};
      }
      break;
    }
    case Approved::kStartupFile: {
      const auto folder = FoldCase(FolderOf(item.name));
      const auto name = item.name.substr(item.name.rfind('\\') + 1);
      for (const auto& [shell_folder, root] :
           {std::make_pair(ShellFolder::kStartup, RegistryRoot::kCurrentUser),
            std::make_pair(ShellFolder::kCommonStartup, RegistryRoot::kLocalMachine)}) {
        const auto path = environment.ShellFolderPath(shell_folder);
        if (!path.empty() && FoldCase(path) == folder) {
          return ValuePlace{root, std::string(kApprovedKey) + "\\StartupFolder", name};
        }
      }
      break;
    }
  }
  return std::nullopt;
}

}  // namespace corvane

// The six area switches of the main window, read at the moment of each scan.
#pragma once

namespace corvane {

class AreaSwitches {
 public:
  virtual ~AreaSwitches() = default;
  virtual bool MonitorRegistryKeys() const = 0;    // CheckBox1: Run-type keys and start page
  virtual bool MonitorStartupFolders() const = 0;  // CheckBox2
  virtual bool MonitorServices() const = 0;        // CheckBox3
  virtual bool MonitorIniFiles() const = 0;        // CheckBox4
  virtual bool MonitorIeObjects() const = 0;       // CheckBox6: browser helper objects
  virtual bool MonitorScheduledTasks() const = 0;  // CheckBox7
};

// Switches held as plain values, for callers without a window.
struct FixedAreaSwitches : AreaSwitches {
  bool registry_keys = true;
  bool startup_folders = true;
  bool services = true;
  bool ini_files = true;
  bool ie_objects = true;
  bool scheduled_tasks = true;

  bool MonitorRegistryKeys() const override { return registry_keys; }
  bool MonitorStartupFolders() const override { return startup_folders; }
  bool MonitorServices() const override { return services; }
  bool MonitorIniFiles() const override { return ini_files; }
  bool MonitorIeObjects() const override { return ie_objects; }
  bool MonitorScheduledTasks() const override { return scheduled_tasks; }
};

}  // namespace corvane

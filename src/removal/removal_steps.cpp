#include "removal/removal_steps.h"

#include "changes/activity_log.h"
#include "changes/alert.h"
#include "texts.h"

namespace corvane {

bool AskToRemove(CycleContext& context, const std::string& type_text,
                 const std::string& location_text) {
  return ShowAlert(context.alert, context.timer, context.boxes, type_text, location_text);
}

void RecordOutcome(CycleContext& context, bool removed, const std::string& subject) {
  const std::string outcome = removed ? texts::kDeleted : texts::kCouldNotDelete;
  WriteLog(context.platform.files, ComposeLogLine(context.clock, outcome + subject));
  if (removed) {
    context.flags.removal = 1;
  } else {
    context.flags.failure = 1;
  }
}

}  // namespace corvane

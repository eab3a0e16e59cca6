#include "tray/form_tray_owner.h"

namespace corvane {

void FormTrayOwner::SetVisible(bool visible) {
  visible_ = visible;
  // Showing brings the form to the front as well.
  if (visible) {
    form_.Show();
  } else {
    form_.Hide();
  }
}

}  // namespace corvane

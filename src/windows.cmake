# The window toolkit over Win32 and the windows of the change handling
# (alert, blacklist editor, log viewer, removed entries). Included from the
# WIN32 block of src/CMakeLists.txt.
add_library(corvane_windows STATIC
  platform/win32/framework/application.cpp
  platform/win32/framework/button_picture.cpp
  platform/win32/framework/clipboard.cpp
  platform/win32/framework/control.cpp
  platform/win32/framework/dialog_keys.cpp
  platform/win32/framework/dpi.cpp
  platform/win32/framework/font_cache.cpp
  platform/win32/framework/form.cpp
  platform/win32/framework/form_fit.cpp
  platform/win32/framework/form_messages.cpp
  platform/win32/framework/form_modal.cpp
  platform/win32/framework/form_timer.cpp
  platform/win32/framework/glyphs.cpp
  platform/win32/framework/list_box.cpp
  platform/win32/framework/list_view.cpp
  platform/win32/framework/memo.cpp
  platform/win32/framework/menus.cpp
  platform/win32/framework/question_box.cpp
  platform/win32/framework/session_mutex.cpp
  platform/win32/framework/tool_tips.cpp
  platform/win32/framework/win32_clock.cpp
  platform/win32/framework/win32_message_boxes.cpp
  platform/win32/framework/window_classes.cpp
  changes/unit2.cpp
  changes/unit3.cpp
  changes/unit4.cpp
  changes/unit5.cpp
  changes/unit6.cpp
  changes/removal_progress.cpp
)
corvane_target_options(corvane_windows)
target_link_libraries(corvane_windows PUBLIC corvane_win32 user32 gdi32 comctl32)

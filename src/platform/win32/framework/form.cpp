#include "platform/win32/framework/form.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/win32/framework/dpi.h"
#include "platform/win32/framework/window_classes.h"
#include "platform/win32/wide.h"

namespace corvane::win32 {
namespace {

// Below these the dialog manager's own IDOK and IDCANCEL.
constexpr int kFirstControlId = 100;

DWORD StyleOf(const FormLayout& layout) {
  // No WS_CLIPCHILDREN: a group box leaves its inside for the form to paint.
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  if (layout.minimize_box) style |= WS_MINIMIZEBOX;
  if (layout.maximize_box) style |= WS_MAXIMIZEBOX;
  if (layout.sizeable) style |= WS_THICKFRAME;
  return style;
}

// The tab order decides the order of creation, which is the order in which
// Tab walks the controls; a control inside a group box takes the group box's
// place, after the controls before it. Controls without one come last.
std::vector<std::size_t> CreationOrder(const ControlLayout* controls, std::size_t count) {
  auto place_of = [](const ControlLayout& control) {
    return control.tab_order < 0 ? INT_MAX : control.tab_order;
  };
  auto parent_place = [&](const char* name) {
    for (std::size_t index = 0; index < count; ++index) {
      if (std::strcmp(controls[index].name, name) == 0) return place_of(controls[index]);
    }
    return INT_MAX;
  };
  // The parent's own key ends in -1, so it comes before what lies inside it.
  auto key = [&](std::size_t index) {
    const ControlLayout& control = controls[index];
    if (control.parent == nullptr) return std::make_pair(place_of(control), -1);
    return std::make_pair(parent_place(control.parent), place_of(control));
  };
  std::vector<std::size_t> order(count);
  for (std::size_t index = 0; index < count; ++index) order[index] = index;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
  return order;
}

}  // namespace

Form::Form(Application& application, const FormLayout& layout, const ControlLayout* controls,
           std::size_t count)
    : application_(application), layout_(layout) {
  RegisterWindowClasses(application.instance());
  const DWORD style = StyleOf(layout);
  const DWORD extended_style = layout.topmost ? WS_EX_TOPMOST : 0;
  RECT frame{0, 0, layout.client_width, layout.client_height};
  AdjustWindowRectEx(&frame, style, FALSE, extended_style);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  window_ = WindowHandle(CreateWindowExW(extended_style, kFormClass, Wide(layout.caption).c_str(),
                                         style, left, top, width, height, application.handle(),
                                         nullptr, application.instance(), this));
  application.SetIconOf(handle());
  dpi_ = DpiOf(handle());
  if (dpi_ != kLayoutDpi) SetClientSize(Scaled(layout.client_width), Scaled(layout.client_height));
  CreateControls(controls, count);
  FitControlsToText();
}

Form::~Form() {
  // From here on the window's messages no longer reach this object.
  if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

void Form::CreateControls(const ControlLayout* controls, std::size_t count) {
  controls_.reserve(count);
  for (const std::size_t index : CreationOrder(controls, count)) {
    ControlLayout layout = controls[index];
    font_heights_.push_back(layout.font.height);
    layout.left = Scaled(layout.left);
    layout.top = Scaled(layout.top);
    layout.width = Scaled(layout.width);
    layout.height = Scaled(layout.height);
    layout.font.height = Scaled(layout.font.height);
    POINT origin{0, 0};
    if (layout.parent != nullptr) {
      const ControlLayout& parent = (*this)[layout.parent].layout();
      origin = POINT{parent.left, parent.top};
    }
    const int id = kFirstControlId + static_cast<int>(index);
    controls_.emplace_back(layout, id, handle(), origin, fonts_.Get(layout.font));
    const Control& control = controls_.back();
    if (layout.is_default) default_id_ = current_default_id_ = id;
    if (layout.is_cancel) cancel_id_ = id;
    if (layout.hint != nullptr) tips_.Add(handle(), control.handle(), layout.hint);
  }
  // A group box goes to the back, under the controls inside it; not being
  // a tab stop, it leaves the tab order as it is.
  for (const Control& control : controls_) {
    if (control.layout().kind == ControlKind::kGroupBox) {
      SetWindowPos(control.handle(), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

Control& Form::operator[](const char* name) {
  for (Control& control : controls_) {
    if (std::strcmp(control.name(), name) == 0) return control;
  }
  throw std::logic_error(std::string("no control ") + name);
}

const Control& Form::operator[](const char* name) const {
  return const_cast<Form&>(*this)[name];
}

Control* Form::ById(int id) {
  for (Control& control : controls_) {
    if (control.id() == id) return &control;
  }
  return nullptr;
}

Control* Form::ByWindow(HWND window) {
  for (Control& control : controls_) {
    if (control.handle() == window) return &control;
  }
  return nullptr;
}

void Form::OnClick(const char* name, std::function<void()> handler) {
  clicks_.push_back(Handler{(*this)[name].id(), std::move(handler)});
}

void Form::OnSelect(const char* name, std::function<void()> handler) {
  selects_.push_back(Handler{(*this)[name].id(), std::move(handler)});
}

void Form::OnCommand(int command, std::function<void()> handler) {
  commands_.push_back(Handler{command, std::move(handler)});
}

void Form::OnMessage(UINT message, MessageHook hook) {
  hooks_.emplace_back(message, std::move(hook));
}

void Form::SetMenuBar(MenuHandle menu) {
  SetMenu(handle(), menu.release());
  RECT frame{0, 0, layout_.client_width, layout_.client_height};
  AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(handle(), GWL_STYLE)), TRUE,
                     DWORD(GetWindowLongPtrW(handle(), GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetClientSize(int width, int height) {
  layout_.client_width = width;
  layout_.client_height = height;
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(handle(), GWL_STYLE)),
                     GetMenu(handle()) != nullptr,
                     DWORD(GetWindowLongPtrW(handle(), GWL_EXSTYLE)));
  const int outer_width = frame.right - frame.left;
  const int outer_height = frame.bottom - frame.top;
  SetWindowPos(handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - outer_width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - outer_height) / 2, outer_width, outer_height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetHint(const char* name, const std::string& text) {
  tips_.Set(handle(), (*this)[name].handle(), text);
}

void Form::OnActivate(std::function<void()> handler) { on_activate_ = std::move(handler); }

void Form::OnClose(std::function<void()> handler) { on_close_ = std::move(handler); }

void Form::Close(ModalResult result) {
  result_ = result;
  if (modal_) {
    closing_ = true;
    // Wakes the modal loop should this come from outside its messages.
    PostMessageW(handle(), WM_NULL, 0, 0);
  } else {
    Hide();
  }
}

std::string Form::Caption() const { return TextOfWindow(handle()); }

void Form::Show() {
  ShowWindow(handle(), SW_SHOW);
  SetForegroundWindow(handle());
}

void Form::Hide() { ShowWindow(handle(), SW_HIDE); }

void Form::Run(const std::function<void()>& handler) { application_.Guarded(handler); }

}  // namespace corvane::win32

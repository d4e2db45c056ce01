#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <utility>

#include "toolkit/Controls.h"
#include "toolkit/qt/QtUnits.h"

namespace korvane::qt {

// Runs an editor handler. The handler is copied first: it may destroy the control (and the
// std::function it is stored in) while it runs, so nothing of the caller may be used afterwards.
inline void Raise(const std::function<void()>& handler) {
  if (!handler) return;
  auto copy = handler;
  copy();
}

// What every control shares: it stands at a place in twips on its window's client widget and
// remembers the place as it was given. The widget belongs to Qt (it is a child of the window);
// this object only refers to it, and cuts every signal of the widget when it goes, so that a
// widget waiting for its deferred deletion can never call into a destroyed editor.
template <typename Interface, typename Widget>
class QtControl : public Interface {
 public:
  QtControl(Widget* widget, const toolkit::Place& place) : widget_(widget) {
    widget_->show();
    QtControl::SetPlace(place);
  }
  ~QtControl() override {
    if (widget_) QObject::disconnect(widget_, nullptr, nullptr, nullptr);
  }
  QtControl(const QtControl&) = delete;
  QtControl& operator=(const QtControl&) = delete;

  toolkit::Place GetPlace() const override { return place_; }
  void SetPlace(const toolkit::Place& place) override {
    place_ = place;
    if (!widget_) return;
    widget_->setGeometry(TwipsToPixelRect(place.left, place.top, place.width, place.height,
                                          TwipsPerPixelX(*widget_), TwipsPerPixelY(*widget_)));
  }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    if (widget_) widget_->setEnabled(enabled);
  }

  Widget* widget() const { return widget_; }

 protected:
  QPointer<Widget> widget_;

 private:
  toolkit::Place place_;
  bool enabled_ = true;
};

}  // namespace korvane::qt

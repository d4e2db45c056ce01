#pragma once

#include <QCoreApplication>
#include <QEvent>

namespace korvane::qt::testing {

// Lets queued work (uncover paints, deferred deletions) run, as the event loop would.
inline void RunPendingEvents() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

}  // namespace korvane::qt::testing

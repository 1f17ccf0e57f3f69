#pragma once

#include "workspaces/WindowAccess.h"

#include <QList>
#include <functional>

namespace vellaro {

// Walks the targets' windows away from the main thread and hands the list to
// `done` back on the main thread. Tests pass one that answers when they say.
using WindowWalk = std::function<void(const QList<SweepTarget>& targets,
                                      std::function<void(QList<LiveWindow>)> done)>;

// A walk through `access` on a worker thread, one walk at a time. The
// access must be usable from that thread (an X connection of its own).
WindowWalk concurrentWindowWalk(const WindowAccess& access);

} // namespace vellaro

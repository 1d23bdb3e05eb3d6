// Carrying work from any thread to the thread that owns a widget.
#pragma once

#include <QObject>
#include <functional>

namespace qimubox {

// True on the application's GUI thread (or when no application exists yet).
bool onGuiThread();

// Runs `call` on the thread of `context`: at once when already there,
// otherwise queued; nothing runs when `context` is destroyed first.
void runOnThreadOf(QObject* context, std::function<void()> call);

// As runOnThreadOf, but waits until the call has run. From a worker thread it
// must not be used while the GUI thread is itself waiting for that worker.
void runOnThreadOfAndWait(QObject* context, const std::function<void()>& call);

// The application object, the context for calls that belong to no widget.
QObject* guiContext();

}  // namespace qimubox

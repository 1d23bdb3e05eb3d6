// Waiting while the GUI thread keeps processing window events.
#pragma once

namespace qimubox {

// Processes pending events once.
void processPendingEvents();

// Waits `milliseconds` (nothing for n <= 0) while processing events. On a
// thread without an event loop it simply sleeps.
void delayProcessingEvents(int milliseconds);

}  // namespace qimubox

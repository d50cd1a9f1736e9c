#pragma once

namespace zem {

// SIGTERM and SIGHUP (a logout, a closed terminal) end the program as its
// window's closing would: through the event loop, so that every destructor
// runs and the history writer writes what it holds. Call once, with the
// application made.
void quitOnTerminationSignals();
// Whether one came: a signal that arrives while a box shows before the event
// loop starts ends only the box's loop, so main asks before it starts its own.
bool terminationRequested();

} // namespace zem

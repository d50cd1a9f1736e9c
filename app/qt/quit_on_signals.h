#pragma once

namespace zem {

// SIGTERM and SIGHUP (a logout, a closed terminal) end the program as its
// window's closing would: through the event loop, so that every destructor
// runs and the history writer writes what it holds. Call once, with the
// application made.
void quitOnTerminationSignals();

} // namespace zem

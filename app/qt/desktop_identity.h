#pragma once

namespace zem {

// How the desktop tells the game apart: the menu entry it was started from
// and the icon of its windows, the start-up error box included. First step
// of the start-up, before any window exists.
void useDesktopIdentity();

} // namespace zem

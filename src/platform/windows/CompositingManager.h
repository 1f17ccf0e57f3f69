#pragma once

namespace vellaro {

// True when an X compositing manager owns _NET_WM_CM_S<screen> on Qt's
// display, so top-level windows may be translucent. False without an X
// display (offscreen, Wayland).
bool compositingManagerPresent();

} // namespace vellaro

#pragma once

namespace zestora {

// Waits until the display server has handled every request sent to it so far (for a painted
// window: until it is drawn), and nothing else. QGuiApplication::sync() also runs the events
// queued meanwhile, so a window activated by the window manager would open its tip window and
// repaint before the wait ends. Returns at once on a platform with no server to wait for.
void waitForDisplayServer();

} // namespace zestora

#pragma once

// Settings for the window system, made before the application starts.
namespace WindowSystem {
// During a draw one small button repaints 20 times a second. On X, Qt sends
// each repaint through shared memory and so first waits for the server to be
// done with the last one: a round trip that wakes two threads. Sending the few
// pixels over the connection costs less. A setting of the user's own stands.
void preferSocketImages();
} // namespace WindowSystem

#pragma once
// The widget application the viewer's windows need, on the off-screen
// platform so that the benchmark runs without a display, with the
// programs' standard font.
namespace bench {

// Creates the application object once (the platform is set before it is
// built); later calls do nothing.
void EnsureOffscreenApplication();

}  // namespace bench

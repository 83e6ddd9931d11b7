#pragma once
// The SDL back end: a window on the desktop, one sound device, the steady
// clock, SDL message boxes. This header is the only way into it and names
// no SDL type, so nothing outside src/platform sees SDL.

#include <memory>
#include <ostream>

#include "platform/platform.h"

namespace rivo {

// Starts SDL's video and event handling. Throws PlatformError when there is
// no display to show a window on.
std::unique_ptr<Platform> CreateSdlPlatform(std::ostream& log);

// The sound device alone, for tools that play sound without a window; a
// silent device (and a line in log) when none opens.
std::unique_ptr<AudioDevice> OpenSdlAudio(std::ostream& log);

}  // namespace rivo

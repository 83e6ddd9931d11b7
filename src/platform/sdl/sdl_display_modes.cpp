#include "platform/sdl/sdl_display_modes.h"

#include <SDL.h>

namespace rivo {
namespace {

constexpr int kDisplay = 0;

uint32_t Bits(Uint32 format) {
  return SDL_BYTESPERPIXEL(format) == 4 ? 32 : static_cast<uint32_t>(SDL_BITSPERPIXEL(format));
}

}  // namespace

std::vector<DisplayMode> SdlDisplayModes::ListModes() {
  std::vector<DisplayMode> modes;
  int count = SDL_GetNumDisplayModes(kDisplay);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode m;
    if (SDL_GetDisplayMode(kDisplay, i, &m) != 0 || m.w <= 0 || m.h <= 0) continue;
    modes.push_back({static_cast<uint32_t>(m.w), static_cast<uint32_t>(m.h), Bits(m.format),
                     static_cast<uint32_t>(m.refresh_rate > 0 ? m.refresh_rate : 0)});
  }
  return modes;
}

uint32_t SdlDisplayModes::DesktopBits() {
  SDL_DisplayMode m;
  if (SDL_GetDesktopDisplayMode(kDisplay, &m) != 0) return 24;
  return Bits(m.format);
}

}  // namespace rivo

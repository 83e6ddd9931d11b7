#include "platform/sdl/sdl_audio_device.h"

#include <cstring>
#include <span>

namespace rivo {

std::unique_ptr<SdlAudioDevice> SdlAudioDevice::Open() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  std::unique_ptr<SdlAudioDevice> device(new SdlAudioDevice());
  SDL_AudioSpec want{};
  want.freq = kAudioRate;
  want.format = AUDIO_S16SYS;
  want.channels = kAudioChannels;
  want.samples = 1024;
  want.callback = &SdlAudioDevice::Callback;
  want.userdata = device.get();
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the hardware wants.
  device->device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device->device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  SDL_PauseAudioDevice(device->device_, 0);
  return device;
}

SdlAudioDevice::~SdlAudioDevice() {
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioDevice::SetSource(AudioSource* source) {
  SDL_LockAudioDevice(device_);
  source_ = source;
  SDL_UnlockAudioDevice(device_);
}

void SdlAudioDevice::Callback(void* self, Uint8* stream, int length) {
  auto* device = static_cast<SdlAudioDevice*>(self);
  std::memset(stream, 0, static_cast<std::size_t>(length));
  if (device->source_)
    device->source_->Render(
        std::span<int16_t>(reinterpret_cast<int16_t*>(stream), static_cast<std::size_t>(length) / sizeof(int16_t)));
}

}  // namespace rivo

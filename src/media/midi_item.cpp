#include "media/midi_item.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "common/error.h"
#include "media/media_file.h"
#include "media/midi_manager.h"

namespace rivo {

namespace {
std::vector<uint8_t> ReadWhole(TVrFileManager& files, const std::string& name) {
  std::unique_ptr<TStream> file = OpenMediaFile(files, name);
  std::vector<uint8_t> bytes(static_cast<std::size_t>(std::max<int64_t>(file->GetSize(), 0)));
  file->Seek(0, SeekOrigin::kBeginning);
  bytes.resize(static_cast<std::size_t>(std::max<int64_t>(file->Read(bytes.data(), static_cast<int64_t>(bytes.size())), 0)));
  return bytes;
}
}  // namespace

TMidiItem::TMidiItem(TMidiManager& manager, std::string name) : manager_(manager), name_(std::move(name)) {}

TMidiItem::~TMidiItem() {
  if (!Owns()) return;
  manager_.Sequencer().Stop();
  manager_.Sequencer().Close();
  manager_.SetOwner(nullptr);
}

bool TMidiItem::Owns() const { return manager_.Owner() == this; }

bool TMidiItem::GetAutoRepeat() { return Owns() ? manager_.Sequencer().Repeat() : repeat_; }

void TMidiItem::SetAutoRepeat(bool repeat) {
  repeat_ = repeat;
  if (Owns()) manager_.Sequencer().SetRepeat(repeat);
}

void TMidiItem::SetVol(int32_t volume) {
  // Louder than full would scale the volume controller past what it carries.
  volume_ = std::clamp(volume, -10000, 0);
  if (Owns()) manager_.Sequencer().SetScaleAll(7, VolumeScale());
}

int32_t TMidiItem::GetPosition() { return Owns() && !paused_ ? manager_.Sequencer().PlayTime() : position_; }

int32_t TMidiItem::GetLen() {
  if (Owns()) return manager_.Sequencer().Length();
  if (length_ < 0) {
    // Learned once from a throw-away reading of the file.
    TMidiV probe;
    try {
      probe.Load(ReadWhole(manager_.Files(), name_));
    } catch (const RivoError&) {
    }
    length_ = probe.Length;
  }
  return length_;
}

bool TMidiItem::IsPlaying() { return Owns() && started_ && !paused_ && manager_.Sequencer().IsRunning(); }

bool TMidiItem::HasRunOut() { return Owns() && started_ && !paused_ && manager_.Sequencer().IsEnd(); }

void TMidiItem::LoseSequencer(int32_t position) {
  position_ = position;
  paused_ = started_;
}

void TMidiItem::DoPlay() {
  TMidiPlayV& sequencer = manager_.Sequencer();
  if (!Owns()) {
    if (TMidiItem* previous = manager_.Owner()) previous->LoseSequencer(previous->GetPosition());
    sequencer.Stop();
    // An empty file loads as no events (it ends at once) rather than
    // leaving the previous item's music in the sequencer.
    if (std::unique_ptr<TMidiV> ready = manager_.TakePrepared(name_))
      sequencer.Load(std::move(*ready));
    else
      sequencer.Load(ReadWhole(manager_.Files(), name_));
    manager_.SetOwner(this);
    sequencer.SetRepeat(repeat_);
    length_ = sequencer.Length();
  }
  manager_.OpenPort();
  sequencer.SendMasterVolume();
  sequencer.PlayFrom(position_);
  sequencer.SetScaleAll(7, VolumeScale());
  started_ = true;
  paused_ = false;
}

void TMidiItem::DoPause() {
  if (!Owns()) return;
  if (!paused_) position_ = manager_.Sequencer().PlayTime();
  manager_.Sequencer().Stop();
  paused_ = true;
}

void TMidiItem::DoSetPosition(int32_t ms) {
  position_ = ms;
  if (Owns() && started_ && !paused_) manager_.Sequencer().PlayFrom(ms);
}

}  // namespace rivo

#include "media/wave_list.h"

#include <stdexcept>

#include "platform/text_case.h"

void TWaveCollectionItem::Play() {
  TDXSound* sound = owner_ ? owner_->Sound() : nullptr;
  if (!sound || !sound->Initialized()) return;
  TAudioLock lock(*sound);
  TVoice* voice = nullptr;
  for (TVoice* b : buffers_)
    if (!b->Playing) {
      voice = b;
      break;
    }
  if (!voice) {
    voice = sound->Mixer().AddVoice(&mix_);
    buffers_.push_back(voice);
  }
  voice->Start(Volume, Pan);
}

void TDXWaveList::Load(std::span<const TEmbeddedFile> files) {
  TDXSound* sound = sound_;
  Clear();
  for (const TEmbeddedFile& f : files) {
    auto item = std::make_unique<TWaveCollectionItem>();
    item->Name = f.Name;
    if (const size_t dot = item->Name.rfind('.'); dot != std::string::npos) item->Name.resize(dot);
    item->Wave = ParseWave({f.Data, f.Size}, item->Name);
    item->owner_ = this;
    items_.push_back(std::move(item));
  }
  Bind(sound);
}

void TDXWaveList::DropBuffers() {
  if (!sound_) return;
  TAudioLock lock(*sound_);
  sound_->Mixer().Clear();
  for (auto& item : items_) item->buffers_.clear();
}

void TDXWaveList::Bind(TDXSound* sound) {
  DropBuffers();
  sound_ = sound;
  if (!sound_) return;
  for (auto& item : items_) {
    item->mix_.Channels = item->Wave.Channels;
    item->mix_.Samples = ResampleWave(item->Wave, sound_->Rate());
  }
}

void TDXWaveList::Clear() {
  DropBuffers();
  sound_ = nullptr;
  items_.clear();
}

TWaveCollectionItem& TDXWaveList::Find(const std::string& name) {
  for (auto& item : items_)
    if (text::SameIgnoringCase(item->Name, name)) return *item;
  throw std::runtime_error("Wave '" + name + "' not found");
}

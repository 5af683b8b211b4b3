// SoundFile.cpp -- WAV bytes through DataFile, SDL's decoder over memory,
// SDL's converter to the mixer's format, and a cap on the length kept.
#include "shell/SoundFile.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "court/GameFiles.h"
#include "platform/DataFile.h"

namespace {
// Rates beyond these are no sound effect anyone made; SDL would try anyway.
constexpr int kLowestRate = 4000;
constexpr int kHighestRate = 192000;

bool ReadWholeFile(const char* path, std::vector<Uint8>& bytes, std::string& error) {
  DataFile file(path);
  if (!file.IsOpen()) {
    error = "missing or not a regular file";
    return false;
  }
  if (file.size == 0) {
    error = "empty";
    return false;
  }
  if (file.size > kMaxSoundFileBytes) {
    error = "larger than " + std::to_string(kMaxSoundFileBytes >> 20) + " MiB";
    return false;
  }
  bytes.resize(file.size);
  bytes.resize(file.ReadAt(0, bytes.data(), bytes.size()));
  return true;
}

// The decoded samples, cut to what the game plays, converted to the clip's
// format. The frames kept are counted on the file's own rate.
bool ConvertToClip(const SDL_AudioSpec& wav, const Uint8* data, Uint32 length, SoundClip& clip,
                   SoundFileFacts& facts, std::string& error) {
  const int frameBytes = SDL_AUDIO_BITSIZE(wav.format) / 8 * wav.channels;
  Uint32 frames = length / frameBytes;
  const Uint32 keep =
      static_cast<Uint32>(static_cast<double>(kMaxClipFrames) * wav.freq / kSoundRate);
  facts.cut = frames > keep;
  if (facts.cut) frames = keep;
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, wav.format, wav.channels, wav.freq, AUDIO_S16SYS, 1, kSoundRate) <
      0) {
    error = std::string("cannot convert: ") + SDL_GetError();
    return false;
  }
  cvt.len = static_cast<int>(frames) * frameBytes;
  std::vector<Uint8> buffer(static_cast<size_t>(cvt.len) * cvt.len_mult + 2);
  if (cvt.len > 0) std::memcpy(buffer.data(), data, cvt.len);
  cvt.buf = buffer.data();
  if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) {
    error = std::string("cannot convert: ") + SDL_GetError();
    return false;
  }
  int count = (cvt.needed ? cvt.len_cvt : cvt.len) / 2;
  if (count > kMaxClipFrames) count = kMaxClipFrames;
  clip.samples = std::make_unique<int16_t[]>(count > 0 ? count : 1);
  std::memcpy(clip.samples.get(), buffer.data(), static_cast<size_t>(count) * 2);
  clip.length = count;
  facts.seconds = static_cast<double>(count) / kSoundRate;
  return true;
}
}  // namespace

bool LoadSoundClip(const char* path, SoundClip& clip, std::string& error, SoundFileFacts* facts) {
  clip = SoundClip();
  std::vector<Uint8> bytes;
  if (!ReadWholeFile(path, bytes, error)) return false;
  SDL_RWops* memory = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  SDL_AudioSpec wav;
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (memory == nullptr || SDL_LoadWAV_RW(memory, 1, &wav, &data, &length) == nullptr) {
    error = std::string("not a sound SDL can read: ") + SDL_GetError();
    return false;
  }
  SoundFileFacts local;
  local.rate = wav.freq;
  local.channels = wav.channels;
  local.bits = SDL_AUDIO_BITSIZE(wav.format);
  bool ok = wav.freq >= kLowestRate && wav.freq <= kHighestRate;
  if (!ok) error = "a rate of " + std::to_string(wav.freq) + " Hz";
  ok = ok && ConvertToClip(wav, data, length, clip, local, error);
  SDL_FreeWAV(data);
  if (facts != nullptr) *facts = local;
  if (!ok) clip = SoundClip();
  return ok;
}

void LoadGameSounds() {
  for (int id = 0; id < kSoundCount; ++id) {
    const char* name = kGameFiles[kFirstSoundFile + id].name;
    std::string error;
    if (!LoadSoundClip(name, gMixer.clips[id], error))
      std::fprintf(stderr, "courtball: no sound from %s: %s\n", name, error.c_str());
  }
}

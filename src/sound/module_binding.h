// Binding the audio module's functions by name.
#pragma once

#include <functional>

#include "sound/module/bass_api.h"

// One pointer per function of the audio module that the music calls.
struct AudioModuleFunctions {
  decltype(&BASS_Init) init = nullptr;
  decltype(&BASS_Free) free = nullptr;
  decltype(&BASS_SampleLoad) sampleLoad = nullptr;
  decltype(&BASS_SamplePlayEx) samplePlayEx = nullptr;
  decltype(&BASS_SetVolume) setVolume = nullptr;
  decltype(&BASS_Start) start = nullptr;
  decltype(&BASS_Stop) stop = nullptr;
  decltype(&BASS_GetVolume) getVolume = nullptr;
};

// Finds an exported function by name; null when the module has none.
using ModuleSymbolLookup = std::function<void*(const char* name)>;

// Looks the functions up in this order: BASS_Init, BASS_Free,
// BASS_SampleLoad, BASS_SamplePlayEx, BASS_SetVolume, BASS_Start, BASS_Stop,
// BASS_GetVolume. The music calls every one of them, so a module lacking one
// cannot be used: the lookups stop at the first missing name and the result
// is false, with `out` untouched.
bool bindAudioModule(const ModuleSymbolLookup& lookup, AudioModuleFunctions& out);

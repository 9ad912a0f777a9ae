// Looking up the audio module's functions in their fixed order.
#include "sound/module_binding.h"

namespace {

template <typename Function>
bool bindFunction(const ModuleSymbolLookup& lookup, const char* name, Function& out) {
  void* symbol = lookup(name);
  if (symbol == nullptr) return false;
  out = reinterpret_cast<Function>(symbol);
  return true;
}

}  // namespace

bool bindAudioModule(const ModuleSymbolLookup& lookup, AudioModuleFunctions& out) {
  AudioModuleFunctions bound;
  bool complete = bindFunction(lookup, "BASS_Init", bound.init) && bindFunction(lookup, "BASS_Free", bound.free) &&
                  bindFunction(lookup, "BASS_SampleLoad", bound.sampleLoad) &&
                  bindFunction(lookup, "BASS_SamplePlayEx", bound.samplePlayEx) &&
                  bindFunction(lookup, "BASS_SetVolume", bound.setVolume) &&
                  bindFunction(lookup, "BASS_Start", bound.start) && bindFunction(lookup, "BASS_Stop", bound.stop) &&
                  bindFunction(lookup, "BASS_GetVolume", bound.getVolume);
  if (complete) out = bound;
  return complete;
}

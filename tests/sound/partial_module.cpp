// A stand-in audio module that lacks BASS_GetVolume: the music must refuse
// it without calling anything. Every function it has counts its calls.
#include <cstdint>

namespace {
int calls = 0;
}

extern "C" {
__attribute__((visibility("default"))) int partialModuleCalls() { return calls; }

__attribute__((visibility("default"))) int BASS_Init(int, std::uint32_t, std::uint32_t, void*, void*) {
  return ++calls;
}
__attribute__((visibility("default"))) int BASS_Free() { return ++calls; }
__attribute__((visibility("default"))) std::uint32_t BASS_SampleLoad(int, const void*, std::uint32_t,
                                                                     std::uint32_t, std::uint32_t, std::uint32_t) {
  return std::uint32_t(++calls);
}
__attribute__((visibility("default"))) std::uint32_t BASS_SamplePlayEx(std::uint32_t, std::uint32_t, int, int, int,
                                                                       int) {
  return std::uint32_t(++calls);
}
__attribute__((visibility("default"))) int BASS_SetVolume(std::uint32_t) { return ++calls; }
__attribute__((visibility("default"))) int BASS_Start() { return ++calls; }
__attribute__((visibility("default"))) int BASS_Stop() { return ++calls; }
}

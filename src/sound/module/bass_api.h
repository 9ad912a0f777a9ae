// The functions of the audio module (libbass.so), shared by the module that
// defines them and the saver that binds them by name at run time.
//
// Handles are 32-bit numbers, never 0; 0 is the failure result. Functions
// returning int return nonzero for success. Every function is safe to call
// in any order: before a successful BASS_Init they fail harmlessly, except
// BASS_GetVolume and BASS_SetVolume, which work on the module's own output
// volume at any time.
#pragma once

#include <cstdint>

// The saver binds these by name, so they must be exported with C linkage
// even when the module is built with hidden visibility.
#pragma GCC visibility push(default)
extern "C" {

// Opens the output: device 1 (or -1) is the system's default output, other
// numbers are refused; freq is the output rate in Hz (8000 to 192000). The
// window and class identifier are not used on this platform. Fails when the
// module is already initialised or no sound output is available.
int BASS_Init(int device, std::uint32_t freq, std::uint32_t flags, void* win, void* clsid);
// Stops the output and frees every sample and playback; 0 when not initialised.
int BASS_Free();

// Decodes a whole Ogg Vorbis file into a new sample. mem must be nonzero
// (only files in memory are read); file + offset points at length bytes,
// which are copied: the caller may free them after the call. max is the
// number of simultaneous playbacks (1 to 65535). flags: BASS_SAMPLE_OVER_POS
// (0x20000) lets a new playback replace the one furthest into the sample
// when all max are playing; without it such a playback is refused. Returns
// the sample handle, or 0 for bad or truncated data.
std::uint32_t BASS_SampleLoad(int mem, const void* file, std::uint32_t offset, std::uint32_t length,
                              std::uint32_t max, std::uint32_t flags);
// Starts one playback of a sample. start is a position in sample frames;
// freq the playback rate in Hz (-1: the sample's own, else 100 to 200000);
// volume 0 to 100 (-1: 100); pan -100 (left) to 100 (right) (-101: centre);
// loop nonzero to restart from the beginning at the end. Returns the
// playback handle, or 0 when the sample is unknown or an argument is out of
// range.
std::uint32_t BASS_SamplePlayEx(std::uint32_t handle, std::uint32_t start, int freq, int volume, int pan,
                                int loop);

// The output volume, 0 to 100, applied to everything the module plays; a
// module-wide value that starts at 100. Values above 100 are refused.
int BASS_SetVolume(std::uint32_t volume);
std::uint32_t BASS_GetVolume();

// Resumes and pauses the output; playbacks keep their positions while paused.
int BASS_Start();
int BASS_Stop();

}  // extern "C"
#pragma GCC visibility pop

namespace bass {
constexpr std::uint32_t kSampleOverPosition = 0x20000;  // BASS_SAMPLE_OVER_POS
constexpr std::uint32_t kSampleOverrideMask = 0x30000;  // the override mode bits
constexpr int kDefaultDevice = -1;
constexpr int kFirstDevice = 1;
constexpr int kOwnFrequency = -1;
constexpr int kDefaultVolume = -1;
constexpr int kOwnPan = -101;
constexpr std::uint32_t kMaxOutputVolume = 100;
}  // namespace bass

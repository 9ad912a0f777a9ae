// Music: the archive entry "music.ogg" playing in a loop for the whole saver
// run, through the audio module loaded at run time.
//
// The audio module is not linked: initMusic loads it from the data directory
// (the setting Path), binds its eight functions by name and plays the track
// from memory; shutdownMusic restores the output volume it found and unloads
// the module. On Linux the module is the shared library "libbass.so" (our
// own, built from src/sound/module/ into the data directory). Both functions
// are called only when the setting EnableMusic is on; until initMusic runs,
// nothing of the module is loaded, and it need not exist.
#pragma once

#include "platform/platform.h"

// The audio module's file name inside the Path directory.
constexpr const char* kAudioModuleFileName = "libbass.so";

// Loads the module and starts the music at the setting Volume (both as the
// track's volume and as the module's output volume). When the module cannot
// be loaded the process ends at once with exit code 0, without the shutdown
// sequence and without a message. A module that lacks one of the functions
// is unloaded again and the run goes on without music. The main window is
// handed to the module's initialisation. Anything else that fails (no sound
// output, no "music.ogg" in the archive, a track that does not decode) is
// not checked: the run goes on without audible music.
void initMusic(platform::WindowHandle mainWindow);

// Sets the module's output volume back to what initMusic found, stops and
// frees the module and unloads it. Does nothing when no module is loaded.
void shutdownMusic();

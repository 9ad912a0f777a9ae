// Win32 virtual-key codes for X key events.
#pragma once

#include <X11/Xlib.h>

namespace platform::x11 {

// The code Windows gives a key that has no virtual-key code of its own.
constexpr int kUnmappedKey = 0xFF;

// The virtual-key code of a keysym; 0 when it has none.
int virtualKeyOfKeysym(KeySym keysym);

// The virtual-key code of a key press or release: the unshifted symbol of the
// key in the current layout (letters and digits whatever the shift state),
// keypad keys as NumLock makes them, and the first layout's symbol for keys
// whose current symbol has no code (a Cyrillic letter gives its Latin key).
int virtualKeyOf(XKeyEvent& event);

// The modifier bits that the Alt keys set in an event's state (Mod1 when
// the modifier map does not say).
unsigned altModifierMask(Display* display);

}  // namespace platform::x11

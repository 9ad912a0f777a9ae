// The keysym to virtual-key table and the Alt modifier.
#include "platform/x11/x11_keys.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <X11/Xutil.h>

#include "platform/messages.h"

namespace platform::x11 {
namespace {

struct KeyPair {
  KeySym keysym;
  int virtualKey;
};

// Codes messages.h does not name.
constexpr int kCancel = 0x03, kClear = 0x0C, kSelect = 0x29, kExecute = 0x2B, kHelp = 0x2F;

constexpr KeyPair kKeyTable[] = {
    {XK_BackSpace, vk::Back},        {XK_Tab, vk::Tab},
    {XK_ISO_Left_Tab, vk::Tab},      {XK_Clear, kClear},
    {XK_Return, vk::Return},         {XK_KP_Enter, vk::Return},
    {XK_Pause, vk::Pause},           {XK_Break, vk::Pause},
    {XK_Scroll_Lock, vk::Scroll},    {XK_Sys_Req, vk::Print},
    {XK_Escape, vk::Escape},         {XK_Delete, vk::Delete},
    {XK_Home, vk::Home},             {XK_Left, vk::Left},
    {XK_Up, vk::Up},                 {XK_Right, vk::Right},
    {XK_Down, vk::Down},             {XK_Prior, vk::Prior},
    {XK_Next, vk::Next},             {XK_End, vk::End},
    {XK_Begin, kClear},              {XK_Select, kSelect},
    {XK_Print, vk::Print},           {XK_Execute, kExecute},
    {XK_Insert, vk::Insert},         {XK_Cancel, kCancel},
    {XK_Help, kHelp},                {XK_Menu, vk::Apps},
    {XK_Num_Lock, vk::NumLock},      {XK_Caps_Lock, vk::Capital},
    {XK_space, vk::Space},           {XK_KP_Space, vk::Space},
    {XK_KP_Tab, vk::Tab},            {XK_KP_Home, vk::Home},
    {XK_KP_Left, vk::Left},          {XK_KP_Up, vk::Up},
    {XK_KP_Right, vk::Right},        {XK_KP_Down, vk::Down},
    {XK_KP_Prior, vk::Prior},        {XK_KP_Next, vk::Next},
    {XK_KP_End, vk::End},            {XK_KP_Begin, kClear},
    {XK_KP_Insert, vk::Insert},      {XK_KP_Delete, vk::Delete},
    {XK_KP_Multiply, vk::Multiply},  {XK_KP_Add, vk::Add},
    {XK_KP_Separator, vk::Separator}, {XK_KP_Subtract, vk::Subtract},
    {XK_KP_Decimal, vk::Decimal},    {XK_KP_Divide, vk::Divide},
    {XK_Shift_L, vk::Shift},         {XK_Shift_R, vk::Shift},
    {XK_Control_L, vk::Control},     {XK_Control_R, vk::Control},
    {XK_Alt_L, vk::Menu},            {XK_Alt_R, vk::Menu},
    {XK_Meta_L, vk::Menu},           {XK_Meta_R, vk::Menu},
    {XK_ISO_Level3_Shift, vk::Menu}, {XK_Super_L, vk::LWin},
    {XK_Super_R, vk::RWin},          {XK_semicolon, vk::Oem1},
    {XK_colon, vk::Oem1},            {XK_equal, vk::OemPlus},
    {XK_plus, vk::OemPlus},          {XK_comma, vk::OemComma},
    {XK_less, vk::OemComma},         {XK_minus, vk::OemMinus},
    {XK_underscore, vk::OemMinus},   {XK_period, vk::OemPeriod},
    {XK_greater, vk::OemPeriod},     {XK_slash, vk::Oem2},
    {XK_question, vk::Oem2},         {XK_grave, vk::Oem3},
    {XK_asciitilde, vk::Oem3},       {XK_bracketleft, vk::Oem4},
    {XK_braceleft, vk::Oem4},        {XK_backslash, vk::Oem5},
    {XK_bar, vk::Oem5},              {XK_bracketright, vk::Oem6},
    {XK_braceright, vk::Oem6},       {XK_apostrophe, vk::Oem7},
    {XK_quotedbl, vk::Oem7},
};

}  // namespace

int virtualKeyOfKeysym(KeySym keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return 'A' + static_cast<int>(keysym - XK_a);
  if (keysym >= XK_A && keysym <= XK_Z) return 'A' + static_cast<int>(keysym - XK_A);
  if (keysym >= XK_0 && keysym <= XK_9) return '0' + static_cast<int>(keysym - XK_0);
  if (keysym >= XK_F1 && keysym <= XK_F24) return vk::F1 + static_cast<int>(keysym - XK_F1);
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return vk::Numpad0 + static_cast<int>(keysym - XK_KP_0);
  for (const KeyPair& pair : kKeyTable)
    if (pair.keysym == keysym) return pair.virtualKey;
  return 0;
}

int virtualKeyOf(XKeyEvent& event) {
  KeySym keysym = XLookupKeysym(&event, 0);
  if (IsKeypadKey(keysym)) {
    // The keypad's digits depend on NumLock, which only the full lookup applies.
    char ignored[8];
    XLookupString(&event, ignored, sizeof ignored, &keysym, nullptr);
  }
  int code = virtualKeyOfKeysym(keysym);
  if (code == 0) {
    KeySym firstLayout =
        XkbKeycodeToKeysym(event.display, static_cast<KeyCode>(event.keycode), /*group=*/0, /*level=*/0);
    code = virtualKeyOfKeysym(firstLayout);
  }
  return code != 0 ? code : kUnmappedKey;
}

unsigned altModifierMask(Display* display) {
  unsigned mask = 0;
  KeyCode altKeys[] = {XKeysymToKeycode(display, XK_Alt_L), XKeysymToKeycode(display, XK_Alt_R)};
  if (XModifierKeymap* map = XGetModifierMapping(display)) {
    for (int modifier = Mod1MapIndex; modifier <= Mod5MapIndex; ++modifier)
      for (int k = 0; k < map->max_keypermod; ++k) {
        KeyCode code = map->modifiermap[modifier * map->max_keypermod + k];
        if (code != 0 && (code == altKeys[0] || code == altKeys[1])) mask |= 1u << modifier;
      }
    XFreeModifiermap(map);
  }
  return mask != 0 ? mask : Mod1Mask;
}

}  // namespace platform::x11

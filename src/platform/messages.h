// Win32 message numbers, system commands, show commands and virtual-key codes
// that the shell uses. Backends translate their native events into these.
#pragma once

#include <cstdint>

namespace platform {

constexpr std::uint32_t WM_CREATE = 0x0001;
constexpr std::uint32_t WM_DESTROY = 0x0002;
constexpr std::uint32_t WM_SIZE = 0x0005;
constexpr std::uint32_t WM_PAINT = 0x000F;
constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_QUIT = 0x0012;
constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_KEYUP = 0x0101;
constexpr std::uint32_t WM_CHAR = 0x0102;
constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr std::uint32_t WM_SYSKEYUP = 0x0105;
constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
constexpr std::uint32_t WM_INITDIALOG = 0x0110;
constexpr std::uint32_t WM_COMMAND = 0x0111;
constexpr std::uint32_t WM_HSCROLL = 0x0114;
constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
constexpr std::uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr std::uint32_t WM_USER = 0x0400;

constexpr std::uint32_t SC_CLOSE = 0xF060;
constexpr std::uint32_t SC_SCREENSAVE = 0xF140;
constexpr std::uint32_t SC_MONITORPOWER = 0xF170;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

// lParam of a mouse message: x in the low 16 bits, y in the high 16 bits.
constexpr std::intptr_t makeMouseLParam(int x, int y) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(y) & 0xFFFFu) << 16 |
                                    (static_cast<std::uint32_t>(x) & 0xFFFFu));
}

// Virtual-key codes (letters and digits are their upper-case ASCII codes).
namespace vk {
constexpr int Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Menu = 0x12,
              Pause = 0x13, Capital = 0x14, Escape = 0x1B, Space = 0x20, Prior = 0x21, Next = 0x22,
              End = 0x23, Home = 0x24, Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28,
              Print = 0x2C, Insert = 0x2D, Delete = 0x2E, LWin = 0x5B, RWin = 0x5C, Apps = 0x5D,
              Numpad0 = 0x60, Multiply = 0x6A, Add = 0x6B, Separator = 0x6C, Subtract = 0x6D,
              Decimal = 0x6E, Divide = 0x6F, F1 = 0x70, F10 = 0x79, F24 = 0x87, NumLock = 0x90,
              Scroll = 0x91, LShift = 0xA0, RShift = 0xA1, LControl = 0xA2, RControl = 0xA3,
              LMenu = 0xA4, RMenu = 0xA5, Oem1 = 0xBA, OemPlus = 0xBB, OemComma = 0xBC,
              OemMinus = 0xBD, OemPeriod = 0xBE, Oem2 = 0xBF, Oem3 = 0xC0, Oem4 = 0xDB,
              Oem5 = 0xDC, Oem6 = 0xDD, Oem7 = 0xDE;
}  // namespace vk

}  // namespace platform

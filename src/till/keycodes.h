// Shortcut keys are kept as Windows key codes (the settings file stores them as decimal text):
// 106 is the numeric pad's "*", 107 its "+", 109 its "-", 112 to 123 are F1 to F12.
#pragma once

#include <QString>

class QKeyEvent;

namespace shop::till {

namespace vk {
inline constexpr int Back = 8, Tab = 9, Return = 13, Escape = 27, Space = 32, Prior = 33, Next = 34, End = 35,
                     Home = 36, Left = 37, Up = 38, Right = 39, Down = 40, Insert = 45, Delete = 46, Numpad0 = 96,
                     Multiply = 106, Add = 107, Subtract = 109, Decimal = 110, Divide = 111, F1 = 112, F12 = 123;
}

// The Windows key code of a key press, or 0 when the key has none.
int windowsKeyCode(const QKeyEvent& event);
// How a shortcut field shows a key: "F5".."F12" by name, other keys by the character they type.
QString keyCodeLabel(int code, const QString& typed);

} // namespace shop::till

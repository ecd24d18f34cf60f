// Key codes of the forms run-time's KeyDown events (13 Enter, 27 Esc, 38 Up, 40 Down, ...).
#pragma once

namespace forms {

namespace KeyCode {
inline constexpr int backspace = 8;
inline constexpr int tab = 9;
inline constexpr int enter = 13;
inline constexpr int escape = 27;
inline constexpr int space = 32;
inline constexpr int pageUp = 33;
inline constexpr int pageDown = 34;
inline constexpr int end = 35;
inline constexpr int home = 36;
inline constexpr int left = 37;
inline constexpr int up = 38;
inline constexpr int right = 39;
inline constexpr int down = 40;
inline constexpr int insert = 45;
inline constexpr int del = 46;
}  // namespace KeyCode

// Shift state of a KeyDown: 1 Shift, 2 Ctrl, 4 Alt, added.
namespace ShiftState {
inline constexpr int shift = 1;
inline constexpr int ctrl = 2;
inline constexpr int alt = 4;
}  // namespace ShiftState

// The key code of a Qt key (Qt::Key): letters as their capitals, digits as themselves, the
// keys above by their codes, F1 to F12 as 112 to 123; 0 for a key the run-time has no code for.
int keyCodeOf(int qtKey);
// The shift state of Qt keyboard modifiers (Qt::KeyboardModifiers as an int).
int shiftStateOf(int qtModifiers);

}  // namespace forms

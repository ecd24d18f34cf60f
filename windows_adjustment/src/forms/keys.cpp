// Qt keys to the run-time's key codes.
#include "forms/keys.h"

#include <Qt>

namespace forms {

int keyCodeOf(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return KeyCode::backspace;
    case Qt::Key_Tab: return KeyCode::tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return KeyCode::enter;
    case Qt::Key_Escape: return KeyCode::escape;
    case Qt::Key_Space: return KeyCode::space;
    case Qt::Key_PageUp: return KeyCode::pageUp;
    case Qt::Key_PageDown: return KeyCode::pageDown;
    case Qt::Key_End: return KeyCode::end;
    case Qt::Key_Home: return KeyCode::home;
    case Qt::Key_Left: return KeyCode::left;
    case Qt::Key_Up: return KeyCode::up;
    case Qt::Key_Right: return KeyCode::right;
    case Qt::Key_Down: return KeyCode::down;
    case Qt::Key_Insert: return KeyCode::insert;
    case Qt::Key_Delete: return KeyCode::del;
    default: return 0;
    }
}

int shiftStateOf(int qtModifiers)
{
    int state = 0;
    if (qtModifiers & Qt::ShiftModifier) state += ShiftState::shift;
    if (qtModifiers & Qt::ControlModifier) state += ShiftState::ctrl;
    if (qtModifiers & Qt::AltModifier) state += ShiftState::alt;
    return state;
}

}  // namespace forms

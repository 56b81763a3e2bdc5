#pragma once
// The key codes of the keyboard the course was written for, in which the
// typing field's rules and its screens speak of a key.

namespace teclas {

// Key codes the typing field tells apart (the values of the Windows virtual keys).
enum Codigo : int {
    Backspace = 8,
    Tab = 9,
    Enter = 13,
    Escape = 27,
    PageUp = 33,
    PageDown = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Insert = 45,
    Delete = 46,
};

}  // namespace teclas

// hl_keys.cpp -- the simulator's special keys and the codes they hand on.
#include "hl_keys.h"

namespace {

const hl_special_key k_keys[] = {
    {VK_LEFT, HL_KEY_VIEW, 25, "Left"},
    {VK_RIGHT, HL_KEY_VIEW, 26, "Right"},
    {VK_UP, HL_KEY_VIEW, 27, "Up"},
    {VK_DOWN, HL_KEY_VIEW, 28, "Down"},
    {VK_F1, HL_KEY_LEVER, 28, "F1"},
    {VK_F1 + 1, HL_KEY_LEVER, 29, "F2"},
    {VK_F1 + 2, HL_KEY_LEVER, 30, "F3"},
    {VK_F1 + 3, HL_KEY_LEVER, 31, "F4"},
    {VK_F1 + 4, HL_KEY_LEVER, 32, "F5"},
    {VK_F1 + 5, HL_KEY_LEVER, 33, "F6"},
    {VK_F1 + 6, HL_KEY_LEVER, 34, "F7"},
    {VK_F1 + 7, HL_KEY_LEVER, 35, "F8"},
    {VK_F1 + 8, HL_KEY_LEVER, 36, "F9"},
    {VK_BACK, HL_KEY_LEVER, 37, "Backspace"},
    {VK_F1 + 10, HL_KEY_LEVER, 38, "F11"},
    {VK_F1 + 11, HL_KEY_LEVER, 39, "F12"},
    {VK_NUMPAD0 + 5, HL_KEY_YOKE, 0, "Keypad 5"},
    {VK_NUMPAD0 + 2, HL_KEY_YOKE, 1, "Keypad 2"},
    {VK_NUMPAD0 + 8, HL_KEY_YOKE, 2, "Keypad 8"},
    {VK_NUMPAD0 + 4, HL_KEY_YOKE, 3, "Keypad 4"},
    {VK_NUMPAD0 + 6, HL_KEY_YOKE, 4, "Keypad 6"},
    {VK_NUMPAD0 + 1, HL_KEY_YOKE, 5, "Keypad 1"},
    {VK_NUMPAD0 + 3, HL_KEY_YOKE, 6, "Keypad 3"},
};

}  // namespace

const hl_special_key* hl_special_keys(int* n)
{
    *n = static_cast<int>(sizeof k_keys / sizeof k_keys[0]);
    return k_keys;
}

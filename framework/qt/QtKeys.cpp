#include "framework/qt/QtKeys.h"

namespace {

struct KeyCode {
    int qtKey;
    UINT vk;
};

// Keys off the keypad. Letters and digits are their upper-case ASCII codes.
constexpr KeyCode kMainKeys[] = {
    {Qt::Key_Backspace, 0x08},  // VK_BACK
    {Qt::Key_Tab, 0x09},        // VK_TAB
    {Qt::Key_Return, 0x0D},     // VK_RETURN
    {Qt::Key_Shift, 0x10},      // VK_SHIFT
    {Qt::Key_Control, 0x11},    // VK_CONTROL
    {Qt::Key_Alt, 0x12},        // VK_MENU
    {Qt::Key_Escape, 0x1B},     // VK_ESCAPE
    {Qt::Key_Space, 0x20},      // VK_SPACE
    {Qt::Key_PageUp, 0x21},     // VK_PRIOR
    {Qt::Key_PageDown, 0x22},   // VK_NEXT
    {Qt::Key_End, 0x23},        // VK_END
    {Qt::Key_Home, 0x24},       // VK_HOME
    {Qt::Key_Left, 0x25},       // VK_LEFT
    {Qt::Key_Up, 0x26},         // VK_UP
    {Qt::Key_Right, 0x27},      // VK_RIGHT
    {Qt::Key_Down, 0x28},       // VK_DOWN
    {Qt::Key_Insert, 0x2D},     // VK_INSERT
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Plus, 0xBB},       // VK_OEM_PLUS
    {Qt::Key_Comma, 0xBC},      // VK_OEM_COMMA
    {Qt::Key_Minus, 0xBD},      // VK_OEM_MINUS
    {Qt::Key_Period, 0xBE},     // VK_OEM_PERIOD
};

// The keypad's own keys; with Num Lock off its keys arrive as Home, Delete and so on,
// which keep their main codes.
constexpr KeyCode kKeypadKeys[] = {
    {Qt::Key_Enter, 0x0D},      // VK_RETURN
    {Qt::Key_Asterisk, 0x6A},   // VK_MULTIPLY
    {Qt::Key_Plus, 0x6B},       // VK_ADD
    {Qt::Key_Minus, 0x6D},      // VK_SUBTRACT
    {Qt::Key_Period, 0x6E},     // VK_DECIMAL
    {Qt::Key_Comma, 0x6E},      // VK_DECIMAL on keypads with a comma
    {Qt::Key_Slash, 0x6F},      // VK_DIVIDE
};

UINT Find(const auto& table, int key)
{
    for (const KeyCode& k : table) {
        if (k.qtKey == key)
            return k.vk;
    }
    return 0;
}

}  // namespace

UINT VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return 0x60 + static_cast<UINT>(key - Qt::Key_0);   // VK_NUMPAD0..9
        if (const UINT vk = Find(kKeypadKeys, key))
            return vk;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return static_cast<UINT>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 0x70 + static_cast<UINT>(key - Qt::Key_F1);   // VK_F1..VK_F24
    return Find(kMainKeys, key);
}

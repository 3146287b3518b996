#pragma once

#include "framework/Afx.h"

#include <QKeyEvent>

// The virtual key code the view's OnKeyDown takes for a Qt key, or 0 for a key that has
// none (such a key is not passed on). Qt's own codes must never reach the view as they are:
// Qt::Key_Period is 0x2E, which is VK_DELETE.
UINT VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers);

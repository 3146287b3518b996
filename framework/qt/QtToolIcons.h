#pragma once

#include "framework/Afx.h"

#include <QIcon>

class QStyle;

// The picture of a tool bar button: the desktop theme's icon where there is one, otherwise
// the style's or a small drawn one, so every button shows something.
QIcon ToolBarIcon(UINT nID, const QStyle* pStyle);

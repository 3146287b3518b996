#pragma once

// The shapes of resource data: the program's res/ folder fills them, the back end builds
// menus, bars and dialogs from them.
#include "framework/Afx.h"

#include <span>
#include <string>
#include <string_view>

struct MenuItemDef {
    enum Kind { Item, Separator, Popup, EndPopup };
    Kind kind;
    UINT nID;
    const char* text;
    bool grayed = false;
};

// Key: a Qt-independent key name ("N", "Delete", "Backspace", "Insert", "F6") and modifiers.
struct AccelDef {
    const char* key;
    bool ctrl;
    bool shift;
    bool alt;
    UINT nID;
};

struct StringDef {
    UINT nID;
    const char* text;
};

struct DialogControlDef {
    enum Kind { Static, Edit, DefPushButton, PushButton, Icon, ComboBox };   // ComboBox: editable
    Kind kind;
    UINT nID;        // 0 for static labels
    const char* text;
    int x, y, cx, cy;   // dialog units
};

struct DialogDef {
    UINT nID;
    const char* caption;
    int cx, cy;   // dialog units
    const char* fontName;
    int fontPoints;
    std::span<const DialogControlDef> controls;
};

struct ResourceSet {
    std::span<const MenuItemDef> menu;
    std::span<const AccelDef> accelerators;
    std::span<const UINT> toolBar;          // ID_SEPARATOR for a gap
    std::span<const StringDef> strings;
    std::span<const DialogDef> dialogs;
};

void AfxSetResources(const ResourceSet* pResources);
const ResourceSet* AfxGetResources();
// The string with that id from the program's table, else from the framework's own; an empty one
// when neither has it.
std::string_view AfxLoadString(UINT nID);
// printf over a format of the string tables. Numbers other than counts come in as text: the C
// library would write the process locale's decimal comma.
std::string AfxFormat(const char* format, ...);
// The same over the string with that id.
std::string AfxFormatString(UINT nID, ...);
const DialogDef* AfxFindDialog(UINT nID);

#pragma once

#include "framework/Afx.h"

#include <cstddef>
#include <string>

// Codes passed along the command route.
constexpr int CN_COMMAND = 0;             // run the command
constexpr int CN_UPDATE_COMMAND_UI = -1;  // run the update handler with a CCmdUI
constexpr int CN_COMMAND_PROBE = -2;      // only ask whether a command handler exists

// The state a menu item or tool bar button is given before it is shown.
class CCmdUI {
public:
    explicit CCmdUI(UINT nID) : m_nID(nID) {}
    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL bOn = TRUE)
    {
        m_bEnabled = bOn != FALSE;
        m_bEnableChanged = true;
    }
    virtual void SetCheck(int nCheck = 1) { m_nCheck = nCheck; }
    // A menu item's text (for example one naming the step to undo).
    virtual void SetText(const std::string& text)
    {
        m_strText = text;
        m_bTextSet = true;
    }

    UINT m_nID;
    bool m_bEnabled = true;
    bool m_bEnableChanged = false;
    int m_nCheck = 0;
    std::string m_strText;
    bool m_bTextSet = false;
};

// Anything that takes commands: the view, the document, the frame and the application.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Returns true when this target handled the code for nID.
    virtual bool OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) { return false; }
};

// One message map entry: commands nID to nLastID go to pfnCmd (or pfnCmdRange with the id),
// their update to pfnUpdate. Either handler may be null.
template <class T>
struct CmdMapEntry {
    UINT nID;
    UINT nLastID;
    void (T::*pfnCmd)();
    void (T::*pfnUpdate)(CCmdUI*);
    void (T::*pfnCmdRange)(UINT) = nullptr;
};

template <class T, std::size_t N>
bool DispatchCmdMsg(T* self, const CmdMapEntry<T> (&map)[N], UINT nID, int nCode, CCmdUI* pCmdUI)
{
    for (const CmdMapEntry<T>& e : map) {
        if (nID < e.nID || nID > e.nLastID)
            continue;
        if (nCode == CN_UPDATE_COMMAND_UI) {
            if (!e.pfnUpdate || !pCmdUI)
                continue;
            (self->*e.pfnUpdate)(pCmdUI);
            return true;
        }
        if (!e.pfnCmd && !e.pfnCmdRange)
            continue;
        if (nCode == CN_COMMAND_PROBE)
            return true;
        if (e.pfnCmd)
            (self->*e.pfnCmd)();
        else
            (self->*e.pfnCmdRange)(nID);
        return true;
    }
    return false;
}

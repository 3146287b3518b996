#pragma once

// The lock keys' state for the status bar, as the X server's keyboard indicators show it.
// Under a window system that does not tell (Wayland, offscreen), nothing is known and the
// status bar shows no lock indicator rather than one that never lights up. The input
// method's kana mode is never known here: it lives in the input method, not the keyboard.
#include "framework/Afx.h"

#include <optional>

class QtLockKeys {
public:
    QtLockKeys();   // finds the keyboard's indicators; needs the QGuiApplication

    // Whether the state behind a status bar indicator (ID_INDICATOR_CAPS, _NUM, _SCRL) can be read.
    bool Knows(UINT nID) const;
    // Reads the keyboard's indicators once (one round trip to the server) for IsOn.
    void Refresh();
    // The indicator's state at the last Refresh; nullopt when it cannot be known.
    std::optional<bool> IsOn(UINT nID) const;

private:
    int IndexOf(UINT nID) const;

    void* m_display = nullptr;   // the X display, or null under another window system
    int m_index[3] = {-1, -1, -1};   // caps, num, scroll: the indicator bit, -1 when absent
    std::optional<unsigned> m_state;   // the indicator bits at the last Refresh
};

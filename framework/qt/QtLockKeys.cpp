#include "framework/qt/QtLockKeys.h"

#include "framework/AfxRes.h"

#include <QGuiApplication>

// After Qt: Xlib defines macros (None, Bool, Status) that Qt's headers use as names.
#include <X11/XKBlib.h>

namespace {

const char* const kIndicatorNames[3] = {"Caps Lock", "Num Lock", "Scroll Lock"};

}  // namespace

QtLockKeys::QtLockKeys()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    int opcode = 0;
    int event = 0;
    int error = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (!display || !XkbQueryExtension(display, &opcode, &event, &error, &major, &minor))
        return;
    m_display = display;
    for (int i = 0; i < 3; ++i) {
        int index = -1;
        Bool on = False;
        const Atom name = XInternAtom(display, kIndicatorNames[i], True);
        if (name != 0 && XkbGetNamedIndicator(display, name, &index, &on, nullptr, nullptr) && index >= 0 && index < 32)
            m_index[i] = index;
    }
}

int QtLockKeys::IndexOf(UINT nID) const
{
    switch (nID) {
    case ID_INDICATOR_CAPS:
        return m_index[0];
    case ID_INDICATOR_NUM:
        return m_index[1];
    case ID_INDICATOR_SCRL:
        return m_index[2];
    default:
        return -1;
    }
}

bool QtLockKeys::Knows(UINT nID) const
{
    return m_display && IndexOf(nID) >= 0;
}

void QtLockKeys::Refresh()
{
    unsigned int state = 0;
    if (m_display && XkbGetIndicatorState(static_cast<Display*>(m_display), XkbUseCoreKbd, &state) == Success)
        m_state = state;
    else
        m_state.reset();
}

std::optional<bool> QtLockKeys::IsOn(UINT nID) const
{
    if (!Knows(nID) || !m_state)
        return std::nullopt;
    return ((*m_state >> IndexOf(nID)) & 1u) != 0;
}

#include "ui/LockKeys.h"

#include <QGuiApplication>

#include "ui/XkbIndicators.h"

LockKeyState QueryLockKeys() {
    LockKeyState s;
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display()) return s;
    const unsigned mask = XkbIndicatorMask(x11->display());
    s.m_bCaps = mask & 1u;
    s.m_bNum = mask & 2u;
    s.m_bScroll = mask & 4u;
    return s;
}

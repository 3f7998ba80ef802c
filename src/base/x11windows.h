#pragma once

#include <QList>
#include <QRect>
#include <QtGui/qwindowdefs.h>

namespace tarvello {

// The windows of an X11 desktop that a click could pick, bottom to top as they are stacked, by
// their frames (title bar and border included) in the root window's pixels, which are the
// desktop's device pixels. Windows that are not shown and windows that only take input are left
// out, and so is every window holding one of `excluded` (our own overlay, say).
//
// Empty when the program does not run on X11, or was built without xcb.
QList<QRect> x11WindowFrames(const QList<WId> &excluded = {});

} // namespace tarvello

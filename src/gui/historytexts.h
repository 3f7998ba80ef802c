#pragma once

#include <QString>

#include "base/historydb.h"
#include "base/linkformat.h"

namespace tarvello {

// The words for what the history and the notifications report, in the window's context.

// Said once, when the history cannot be used (or, for a damaged file, was started anew).
// `path` is the history's file; `detail` what the store reported with the fault.
QString historyFaultText(HistoryFault fault, const QString &path, const QString &detail);

// The menu entry of a copy format.
QString linkFormatName(LinkFormat format);

// The desktop notification at the end of a batch.
struct BatchNotice
{
    QString summary;
    QString body;
    QString action; // the name of a click on it
};
BatchNotice batchDoneNotice(int uploaded, int failed, bool linksCopied);

} // namespace tarvello

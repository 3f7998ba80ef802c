#include "gui/historytexts.h"

#include <QCoreApplication>
#include <QDir>

namespace tarvello {

QString historyFaultText(HistoryFault fault, const QString &path, const QString &detail)
{
    const QString file = QDir::toNativeSeparators(path);
    switch (fault) {
    case HistoryFault::None:
        return QString();
    case HistoryFault::NoDriver:
        return QCoreApplication::translate("mw", "No upload history: Qt's SQLite driver is not installed "
                                                 "(Debian package libqt6sql6-sqlite).");
    case HistoryFault::CannotOpen:
        return QCoreApplication::translate("mw", "No upload history: %1 cannot be opened.").arg(file);
    case HistoryFault::ReadOnly:
        return QCoreApplication::translate("mw", "No upload history: %1 cannot be written.").arg(file);
    case HistoryFault::Locked:
        return QCoreApplication::translate("mw", "The upload history waits: another program keeps %1 locked. "
                                                 "Uploads are recorded once it lets go.").arg(file);
    case HistoryFault::Corrupt:
        return QCoreApplication::translate("mw", "The upload history was damaged. It is kept as %1; "
                                                 "a new history was started.").arg(QDir::toNativeSeparators(detail));
    case HistoryFault::Newer:
        return QCoreApplication::translate("mw", "No upload history: %1 was written by a newer version of "
                                                 "this program.").arg(file);
    case HistoryFault::DiskFull:
        return QCoreApplication::translate("mw", "The upload history waits: the disk is full. "
                                                 "Uploads are recorded once there is room.");
    case HistoryFault::Failed:
        return QCoreApplication::translate("mw", "No upload history: %1").arg(detail);
    }
    return QString();
}

QString linkFormatName(LinkFormat format)
{
    switch (format) {
    case LinkFormat::Plain:
        return QCoreApplication::translate("mw", "Link");
    case LinkFormat::Markdown:
        return QCoreApplication::translate("mw", "Markdown image");
    case LinkFormat::Html:
        return QCoreApplication::translate("mw", "HTML image");
    case LinkFormat::BBCode:
        return QCoreApplication::translate("mw", "BBCode image");
    case LinkFormat::MarkdownThumbnail:
        return QCoreApplication::translate("mw", "Markdown thumbnail with link");
    case LinkFormat::HtmlThumbnail:
        return QCoreApplication::translate("mw", "HTML thumbnail with link");
    case LinkFormat::BBCodeThumbnail:
        return QCoreApplication::translate("mw", "BBCode thumbnail with link");
    }
    return QString();
}

BatchNotice batchDoneNotice(int uploaded, int failed, bool linksCopied)
{
    BatchNotice notice;
    notice.summary = failed == 0 ? QCoreApplication::translate("mw", "Uploads done")
                                 : QCoreApplication::translate("mw", "Uploads done, some failed");
    QString body;
    if (failed == 0)
        body = QCoreApplication::translate("mw", "%n uploaded.", nullptr, uploaded);
    else
        body = QCoreApplication::translate("mw", "%n uploaded, %1 failed.", nullptr, uploaded).arg(failed);
    if (linksCopied && uploaded > 0)
        body += QLatin1Char(' ')
                + (uploaded == 1 ? QCoreApplication::translate("mw", "The link is on the clipboard.")
                                 : QCoreApplication::translate("mw", "The links are on the clipboard."));
    notice.body = body;
    notice.action = QCoreApplication::translate("mw", "Show");
    return notice;
}

} // namespace tarvello

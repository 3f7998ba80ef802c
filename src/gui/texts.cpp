#include "gui/texts.h"

#include <QCoreApplication>
#include <QPalette>

#include "gui/destinationtexts.h"

namespace tarvello {

namespace {

QString transferErrorText(TransferError error)
{
    switch (error) {
    case TransferError::None:
        return QString();
    case TransferError::Refused:
        return QCoreApplication::translate("mw", "The host refused the connection.");
    case TransferError::Closed:
        return QCoreApplication::translate("mw", "The host closed the connection before answering.");
    case TransferError::HostNotFound:
        return QCoreApplication::translate("mw", "The host was not found.");
    case TransferError::Stalled:
        return QCoreApplication::translate("mw", "The transfer stalled: nothing moved for too long.");
    case TransferError::NetworkDown:
        return QCoreApplication::translate("mw", "The network is not available.");
    case TransferError::SentTwice:
        return QCoreApplication::translate("mw", "The connection broke after the whole image was sent; "
                                                 "it was not sent a second time.");
    case TransferError::Untrusted:
        return QCoreApplication::translate("mw", "The host's certificate could not be trusted, so nothing was sent.");
    case TransferError::Proxy:
        return QCoreApplication::translate("mw", "The proxy failed.");
    case TransferError::Protocol:
        return QCoreApplication::translate("mw", "The host's answer broke the rules of HTTP.");
    case TransferError::Other:
        break;
    }
    return QCoreApplication::translate("mw", "The connection to the host failed.");
}

QString failureText(TransferError error, const HostAnswer &host)
{
    QStringList lines;
    if (const QString network = transferErrorText(error); !network.isEmpty())
        lines.append(network);
    if (host.httpStatus > 0)
        lines.append(QCoreApplication::translate("mw", "HTTP status: %1 %2").arg(host.httpStatus).arg(host.reasonPhrase).trimmed());
    switch (host.kind) {
    case HostAnswer::Line::NotText:
        lines.append(QCoreApplication::translate("mw", "The host's answer is not text."));
        break;
    case HostAnswer::Line::Text:
        lines.append(QCoreApplication::translate("mw", "The host said: %1").arg(host.line));
        break;
    case HostAnswer::Line::Empty:
        lines.append(QCoreApplication::translate("mw", "The host's answer was empty."));
        break;
    case HostAnswer::Line::None:
        break;
    }
    if (lines.isEmpty())
        lines.append(QCoreApplication::translate("mw", "No answer from the host."));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString fileProblemText(FileProblem problem)
{
    switch (problem) {
    case FileProblem::None:
        break;
    case FileProblem::Missing:
        return QCoreApplication::translate("mw", "The file does not exist.");
    case FileProblem::Folder:
        return QCoreApplication::translate("mw", "This is a folder, not a file.");
    case FileProblem::NotRegular:
        return QCoreApplication::translate("mw", "This is not a regular file.");
    case FileProblem::Unreadable:
        return QCoreApplication::translate("mw", "The file cannot be read.");
    case FileProblem::NotAnImage:
        return QCoreApplication::translate("mw", "This is not an image the program can read.");
    case FileProblem::BadName:
        return QCoreApplication::translate("mw", "The file's name is not in UTF-8, so the program cannot open it; "
                                                 "rename it.");
    case FileProblem::Replaced:
        return QCoreApplication::translate("mw", "Another file stands under this name since it was added; "
                                                 "nothing was sent.");
    }
    return QString();
}

QString imageDamageText(ImageDamage damage)
{
    switch (damage) {
    case ImageDamage::None:
        break;
    case ImageDamage::Truncated:
        return QCoreApplication::translate("mw", "The image is damaged: the file ends before the picture does.");
    case ImageDamage::Corrupt:
        return QCoreApplication::translate("mw", "The image is damaged: its data is corrupt.");
    }
    return QString();
}

QString resultText(const UploadResult &result)
{
    return result.showsAnswer() ? result.answer : QCoreApplication::translate("mw", "failed");
}

QString uploadingText(double sent)
{
    const QString uploading = QCoreApplication::translate("mw", "Uploading...");
    // "100%" would read as done while the host may still take long to store the file and answer.
    if (sent < 1.0)
        return uploading;
    return QCoreApplication::translate("mw", "%1 waiting for the host", "%1 is the word for Uploading...").arg(uploading);
}

QString resultDetails(const UploadResult &result)
{
    switch (result.kind) {
    case UploadResult::Kind::None:
        return QString();
    case UploadResult::Kind::Linked:
        if (result.overPlainHttp) {
            return result.answer.trimmed() + QLatin1Char('\n')
                    + QCoreApplication::translate("mw", "This link came over plain HTTP: check it before you pass it on.");
        }
        return result.answer.trimmed();
    case UploadResult::Kind::UnusableLink:
        return result.answer.trimmed() + QLatin1Char('\n')
                + QCoreApplication::translate("mw", "This answer is not a link that can be opened or copied.");
    case UploadResult::Kind::Failed:
        return failureText(result.error, result.host);
    case UploadResult::Kind::TooLong:
        return QCoreApplication::translate("mw", "The host's answer was too long to be a link.");
    case UploadResult::Kind::Redirected:
        return QCoreApplication::translate("mw", "The host sent the upload elsewhere (HTTP status %1); "
                                                 "it was not followed.").arg(result.host.httpStatus);
    case UploadResult::Kind::Stalled:
        return QCoreApplication::translate("mw", "The transfer stalled: nothing moved for too long.");
    case UploadResult::Kind::AnswerTimeout:
        return QCoreApplication::translate("mw", "The host took too long to answer.");
    case UploadResult::Kind::Stopped:
        return QCoreApplication::translate("mw", "The upload was stopped.");
    case UploadResult::Kind::Cancelled:
        return QCoreApplication::translate("mw", "Cancelled before it was sent.");
    case UploadResult::Kind::LoginUnsendable:
        return QCoreApplication::translate("mw", "A user name or password of \".\" or \"..\" cannot be sent "
                                                 "in the upload address; nothing was sent.");
    case UploadResult::Kind::NoLink:
        return result.answer.isEmpty()
                ? QCoreApplication::translate("mw", "The host's answer holds no link where the destination says it stands.")
                : QCoreApplication::translate("mw", "The host's answer holds no link where the destination says it "
                                                    "stands, but: %1").arg(result.answer.left(200));
    case UploadResult::Kind::NotPrepared:
        return requestFailureText(result.request);
    case UploadResult::Kind::NotSent:
        return fileProblemText(result.file) + QLatin1Char('\n')
                + QCoreApplication::translate("mw", "Nothing was sent.");
    }
    return QString();
}

QString failureDetails(const UploadResult &result, FileProblem problem)
{
    if (result.kind == UploadResult::Kind::Failed && problem != FileProblem::None)
        return fileProblemText(problem);
    return resultDetails(result);
}

QString summaryText(const QueueCounts &counts)
{
    QStringList parts;
    if (counts.uploaded > 0)
        parts.append(QCoreApplication::translate("mw", "%1 uploaded").arg(counts.uploaded));
    if (counts.failed > 0)
        parts.append(QCoreApplication::translate("mw", "%1 failed").arg(counts.failed));
    if (counts.uploading > 0)
        parts.append(QCoreApplication::translate("mw", "%1 uploading").arg(counts.uploading));
    // A damaged image can still be sent: it waits with the others, and is told apart among them.
    if (counts.waiting > 0 && counts.damaged > 0)
        parts.append(QCoreApplication::translate("mw", "%1 waiting (%2 damaged)").arg(counts.waiting).arg(counts.damaged));
    else if (counts.waiting > 0)
        parts.append(QCoreApplication::translate("mw", "%1 waiting").arg(counts.waiting));
    if (counts.unusable > 0)
        parts.append(QCoreApplication::translate("mw", "%1 cannot be used").arg(counts.unusable));
    return parts.join(QLatin1String(", "));
}

QString credentialsFailureText(const CredentialsFailure &failure)
{
    switch (failure.kind) {
    case CredentialsFailure::Kind::None:
        break;
    case CredentialsFailure::Kind::NotOwnFile:
        return QCoreApplication::translate("mw", "%1 is not a regular file of yours, so it was left alone.").arg(failure.subject);
    case CredentialsFailure::Kind::ReadOnly:
        return QCoreApplication::translate("mw", "%1 is read-only, so it was left as it is.").arg(failure.subject);
    case CredentialsFailure::Kind::FolderNotWritable:
        return QCoreApplication::translate("mw", "The folder %1 cannot be written.").arg(failure.subject);
    case CredentialsFailure::Kind::NotWritten:
        return QCoreApplication::translate("mw", "The login could not be written.");
    case CredentialsFailure::Kind::DiskFull:
        return QCoreApplication::translate("mw", "The login could not be written: the disk may be full.");
    case CredentialsFailure::Kind::NotReplaced:
        return QCoreApplication::translate("mw", "%1 could not be replaced.").arg(failure.subject);
    }
    return QString();
}

QString browseFilter(const QStringList &imagePatterns)
{
    return QCoreApplication::translate("mw", "Image Files (%1)").arg(imagePatterns.join(QLatin1Char(' ')))
            + QLatin1String(";;") + QCoreApplication::translate("mw", "All files (*)");
}

QColor errorColour(const QPalette &palette)
{
    return palette.color(QPalette::Base).lightness() < 128 ? QColor(255, 115, 115) : QColor(190, 0, 0);
}

} // namespace tarvello

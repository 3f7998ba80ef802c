#include "gui/destinationtexts.h"

#include <QCoreApplication>

#include "base/request.h"

namespace tarvello {

namespace {

// The host's words are shown, but not a page of them.
constexpr qsizetype maxShownMessage = 300;

QString shortened(const QString &text)
{
    const QString simplified = text.simplified();
    return simplified.size() > maxShownMessage ? simplified.left(maxShownMessage) + QStringLiteral("...")
                                               : simplified;
}

} // namespace

QString destinationTitle(const Destination &destination)
{
    if (destination.builtIn)
        return QCoreApplication::translate("mw", "Built-in host (%1)").arg(imageHost());
    return destination.name;
}

QString templateProblemText(const TemplateProblem &problem)
{
    switch (problem.kind) {
    case TemplateProblem::None:
        break;
    case TemplateProblem::Unterminated:
        return QCoreApplication::translate("mw", "the template \"%1\" is not closed").arg(problem.name);
    case TemplateProblem::Unknown:
        return QCoreApplication::translate("mw", "the template \"%1\" is not one this program knows").arg(problem.name);
    case TemplateProblem::NotForImages:
        return QCoreApplication::translate("mw", "the template \"%1\" is for text uploads, not images").arg(problem.name);
    case TemplateProblem::AnswerInRequest:
        return QCoreApplication::translate("mw", "the template \"%1\" reads the host's answer, which the request "
                                                 "cannot have yet")
                .arg(problem.name);
    case TemplateProblem::BadArguments:
        return QCoreApplication::translate("mw", "the template \"%1\" has arguments that cannot be used").arg(problem.name);
    case TemplateProblem::BadRegex:
        return QCoreApplication::translate("mw", "the regular expression \"%1\" is not valid").arg(problem.detail);
    case TemplateProblem::NoSuchRegex:
        return QCoreApplication::translate("mw", "RegexList has no entry %1").arg(problem.detail);
    case TemplateProblem::NoSuchGroup:
        return QCoreApplication::translate("mw", "the regular expression has no group \"%1\"").arg(problem.detail);
    }
    return QString();
}

QString sxcuRefusalText(const SxcuRefusal &r)
{
    switch (r.kind) {
    case SxcuRefusal::None:
        break;
    case SxcuRefusal::Missing:
        return QCoreApplication::translate("mw", "The file does not exist.");
    case SxcuRefusal::Unreadable:
        return QCoreApplication::translate("mw", "The file cannot be read.");
    case SxcuRefusal::Link:
        return QCoreApplication::translate("mw", "The file is a link; import the file it points to instead.");
    case SxcuRefusal::NotAFile:
        return QCoreApplication::translate("mw", "This is not a regular file.");
    case SxcuRefusal::TooLarge:
        return QCoreApplication::translate("mw", "The file is too large (%1 bytes) to be a custom-uploader file.")
                .arg(r.number);
    case SxcuRefusal::BrokenJson:
        return QCoreApplication::translate("mw", "The file is not valid JSON (at byte %1).").arg(r.number);
    case SxcuRefusal::NotAnObject:
        return QCoreApplication::translate("mw", "The file is JSON, but not a custom-uploader file.");
    case SxcuRefusal::BadField:
        return QCoreApplication::translate("mw", "The field %1 has a value this program cannot use.").arg(r.field);
    case SxcuRefusal::NotImageDestination:
        return QCoreApplication::translate("mw", "This destination does not take images (DestinationType: %1).")
                .arg(r.detail.isEmpty() ? QStringLiteral("-") : r.detail);
    case SxcuRefusal::MethodNotAllowed:
        return QCoreApplication::translate("mw", "Images cannot be sent with the method %1; only POST, PUT and "
                                                 "PATCH carry a file.")
                .arg(r.detail);
    case SxcuRefusal::BodyWithoutFile:
        return QCoreApplication::translate("mw", "A body of type %1 carries no file; images need "
                                                 "MultipartFormData or Binary.")
                .arg(r.detail);
    case SxcuRefusal::NoFileFormName:
        return QCoreApplication::translate("mw", "The form has no field for the file (FileFormName is empty).");
    case SxcuRefusal::NotHttpAddress:
        return QCoreApplication::translate("mw", "The address \"%1\" is not an http:// or https:// address.")
                .arg(shortened(r.detail));
    case SxcuRefusal::BadTemplate:
        return QCoreApplication::translate("mw", "In %1, %2.").arg(r.field, templateProblemText(r.problem));
    case SxcuRefusal::BadRegexList:
        return QCoreApplication::translate("mw", "Entry %1 of RegexList is not a valid regular expression.")
                .arg(r.number);
    case SxcuRefusal::BadHeaderName:
        return QCoreApplication::translate("mw", "\"%1\" cannot be the name of a header.").arg(shortened(r.detail));
    case SxcuRefusal::HeaderNotAllowed:
        return QCoreApplication::translate("mw", "The header %1 is the program's to set.").arg(r.detail);
    case SxcuRefusal::BadHeaderValue:
        return QCoreApplication::translate("mw", "The value of the header %1 holds a line break.").arg(r.detail);
    case SxcuRefusal::ReservedName:
        return QCoreApplication::translate("mw", "\"%1\" is the name of the built-in destination; give the file another Name.")
                .arg(r.detail);
    }
    return QString();
}

QString requestFailureText(const RequestFailure &failure, bool fromScript)
{
    switch (failure.kind) {
    case RequestFailure::None:
    case RequestFailure::BuiltIn:
        break;
    case RequestFailure::Invalid:
        return sxcuRefusalText(failure.refusal);
    case RequestFailure::SecretsMissing:
        return QCoreApplication::translate("mw", "The keyring did not give this destination's secrets (%1); "
                                                 "edit the destination to give them again.")
                .arg(failure.detail);
    case RequestFailure::Unanswered:
        if (fromScript)
            return QCoreApplication::translate("mw", "The destination asks a question before each upload (\"%1\"), "
                                                     "which cannot be answered from the command line; nothing was "
                                                     "sent.")
                    .arg(failure.detail);
        if (failure.detail.isEmpty())
            return QCoreApplication::translate("mw", "The destination asks a question before each upload, and it "
                                                     "was not answered; nothing was sent.");
        return QCoreApplication::translate("mw", "The destination asks \"%1\" before each upload, and it was not "
                                                 "answered; nothing was sent.")
                .arg(failure.detail);
    case RequestFailure::BadAddress:
        return QCoreApplication::translate("mw", "The destination's address came out as \"%1\", which is not an "
                                                 "http:// or https:// address; nothing was sent.")
                .arg(shortened(failure.detail));
    case RequestFailure::BadHeaderValue:
        return QCoreApplication::translate("mw", "The header %1 came out with a line break; nothing was sent.")
                .arg(failure.detail);
    }
    return QString();
}

QString answerFailureText(const AnswerReading &reading)
{
    QString text;
    switch (reading.outcome) {
    case AnswerReading::Uploaded:
        return QString();
    case AnswerReading::HostError:
        text = QCoreApplication::translate("mw", "HTTP status: %1").arg(reading.status);
        break;
    case AnswerReading::NoLink:
        text = reading.linkText.isEmpty()
                ? QCoreApplication::translate("mw", "The answer held no link.")
                : QCoreApplication::translate("mw", "The answer held no link, only \"%1\".").arg(shortened(reading.linkText));
        break;
    }
    if (!reading.errorMessage.isEmpty())
        text += QLatin1Char('\n')
                + QCoreApplication::translate("mw", "The host said: %1").arg(shortened(reading.errorMessage));
    return text;
}

QString storeFailureText(const StoreFailure &failure)
{
    switch (failure.kind) {
    case StoreFailure::None:
        break;
    case StoreFailure::Unwritable:
        return QCoreApplication::translate("mw", "Could not write %1.").arg(failure.detail);
    case StoreFailure::Unreadable:
        return QCoreApplication::translate("mw", "Some destinations in %1 could not be read and were left out.")
                .arg(failure.detail);
    case StoreFailure::NoSuchDestination:
        return QCoreApplication::translate("mw", "There is no destination called \"%1\".").arg(failure.detail);
    case StoreFailure::BuiltInFixed:
        return QCoreApplication::translate("mw", "The built-in destination cannot be changed or removed.");
    case StoreFailure::NameTaken:
        return QCoreApplication::translate("mw", "Another destination is already called \"%1\".").arg(failure.detail);
    case StoreFailure::Invalid:
        if (failure.refusal.kind == SxcuRefusal::None)
            return QCoreApplication::translate("mw", "A destination needs a name.");
        return sxcuRefusalText(failure.refusal);
    case StoreFailure::SecretsUnavailable:
        return QCoreApplication::translate("mw", "The keyring did not give the secrets of \"%1\".").arg(failure.detail);
    }
    return QString();
}

QString secretsPlaceText(SecretsPlace place)
{
    switch (place) {
    case SecretsPlace::None:
        break;
    case SecretsPlace::Keyring:
        return QCoreApplication::translate("mw", "Keys, tokens and passwords are kept in the desktop's keyring.");
    case SecretsPlace::PrivateFile:
        return QCoreApplication::translate("mw", "No keyring answered: keys, tokens and passwords are kept in the "
                                                 "destinations file, readable by you only.");
    }
    return QCoreApplication::translate("mw", "Keys, tokens and passwords go to the desktop's keyring when one "
                                             "is running, else into the destinations file, readable by you only.");
}

} // namespace tarvello

#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

#include "base/destination.h"
#include "base/uploadtemplate.h"

namespace tarvello {

// What a custom destination's answer says. Only an http:// or https:// address counts as a link;
// every text here has the upload's secrets blanked.
struct AnswerReading
{
    enum Outcome {
        Uploaded, // a success status and a link
        HostError, // the host answered with a status that is no success
        NoLink, // a success status, but no link where the destination says it stands
    };
    Outcome outcome = NoLink;
    int status = 0;
    std::optional<QUrl> link;
    std::optional<QUrl> thumbnail;
    std::optional<QUrl> deletion;
    QString linkText; // what stood where the link should be, when it was no link
    QString errorMessage; // what the destination's ErrorMessage read from the answer
};

// Reads an answer with the destination's templates. `choices` and `secrets` come from the
// PreparedRequest the upload was sent with.
AnswerReading readAnswer(const Destination &destination, const Answer &answer,
                         const QHash<QString, QString> &choices = {}, const QStringList &secrets = {});

} // namespace tarvello

#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include "base/fileproblem.h"
#include "base/imagedamage.h"
#include "base/settings.h"
#include "base/uploadqueue.h"
#include "base/uploadresult.h"

class QPalette;

// The window's words for what the helper layer reports, all in the "mw" translation context.
namespace tarvello {

QString fileProblemText(FileProblem problem);
// What is wrong inside an image file; empty for nothing.
QString imageDamageText(ImageDamage damage);

// The status cell of a handled entry: the host's answer, or "failed".
QString resultText(const UploadResult &result);
// The status cell of an entry on the wire, given the share of its body sent (0 to 1, or below 0
// before anything is known): "Uploading...", and once all of it is sent, that it waits for the
// host's answer.
QString uploadingText(double sent);
// Why an upload failed, for a tooltip: the network error, the HTTP status and the first line of
// the host's answer; or the local reason. For a link, the link.
QString resultDetails(const UploadResult &result);
// Why a handled upload gave no link, as its row's tooltip says it: a host that says no to a file
// it cannot take is best explained by what is wrong with the file.
QString failureDetails(const UploadResult &result, FileProblem problem);

// "12 uploaded, 1 failed, 3 waiting (1 damaged), 2 cannot be used": the states that have
// entries, in that order; empty for an empty queue.
QString summaryText(const QueueCounts &counts);

QString credentialsFailureText(const CredentialsFailure &failure);

// The open dialog's filters: the image patterns, then all files.
QString browseFilter(const QStringList &imagePatterns);

// The colour of a failure's text: a red that stays readable on the palette's base, light or dark.
QColor errorColour(const QPalette &palette);

} // namespace tarvello

#pragma once

#include <QString>

#include "base/customanswer.h"
#include "base/customrequest.h"
#include "base/destination.h"
#include "base/destinationstore.h"
#include "base/sxcu.h"
#include "base/uploadtemplate.h"

namespace tarvello {

// The words for what the destination code reports, in the window's translation context, for
// the window and the command line alike.

// The name a destination is shown under; the built-in one names its host.
QString destinationTitle(const Destination &destination);

// Why a custom-uploader file was not imported.
QString sxcuRefusalText(const SxcuRefusal &refusal);
QString templateProblemText(const TemplateProblem &problem);

// Why an upload to a custom destination did not start; `fromScript` for the command line, which
// cannot answer a destination's questions.
QString requestFailureText(const RequestFailure &failure, bool fromScript = false);

// Why an answer of a custom destination gave no link; empty for an upload that worked.
QString answerFailureText(const AnswerReading &reading);

QString storeFailureText(const StoreFailure &failure);

// Where the secrets of custom destinations are kept, for the destinations dialog.
QString secretsPlaceText(SecretsPlace place);

} // namespace tarvello

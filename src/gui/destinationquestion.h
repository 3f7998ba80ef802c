#pragma once

#include "base/uploadtemplate.h"

class QWidget;

namespace tarvello {

// Asks a destination's questions in the window: a text box for {prompt:title|default}, a choice
// for {select:a|b}. Cancel leaves the question unanswered, and nothing is sent.
Asker windowAsker(QWidget *parent);

} // namespace tarvello

#pragma once

#include <QLocale>

class QCoreApplication;

namespace tarvello {

// Installs the program's catalogue for the locale's languages, and Qt's own with it, into the running
// application, which owns them. A language without a catalogue (English, C) keeps the
// program's own texts. Returns whether the program's catalogue was found.
bool installTranslations(QCoreApplication &app, const QLocale &locale = QLocale::system());

}

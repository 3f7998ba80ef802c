#include "gui/translations.h"

#include <memory>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tarvello {

namespace {

bool install(QCoreApplication &app, const QLocale &locale, const QString &name, const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, name, QStringLiteral("_"), folder))
        return false;
    QCoreApplication::installTranslator(translator.get());
    translator.release()->setParent(&app);
    return true;
}

}

bool installTranslations(QCoreApplication &app, const QLocale &locale)
{
    // The catalogues are built in; an English or C locale finds none and the texts stay as written.
    if (!install(app, locale, QStringLiteral("tarvello"), QStringLiteral(":/tarvello/translations")))
        return false;
    // Only with ours, so that Qt's buttons and file dialog speak the window's language, not another.
    install(app, locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return true;
}

}

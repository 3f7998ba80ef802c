// The window in the user's language: the locale picks the program's catalogue and Qt's own, and a
// C or English locale keeps every text as the program writes it.

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

#include "gui/mw.h"
#include "gui/translations.h"

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void windowFollowsLocale_data();
    void windowFollowsLocale();
    void systemLocale();
    void helpFollowsLocale_data();
    void helpFollowsLocale();
};

void tst_Translations::cleanup()
{
    // A translator leaves the application when it is destroyed.
    qDeleteAll(qApp->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly));
}

void tst_Translations::windowFollowsLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("uploadAll");
    QTest::addColumn<QString>("autoUpload");
    QTest::addColumn<QString>("qtCancel");

    QTest::newRow("de_DE") << "de_DE" << true << "Alle hochladen" << "Automatisch hochladen" << "Abbrechen";
    QTest::newRow("de_AT") << "de_AT" << true << "Alle hochladen" << "Automatisch hochladen" << "Abbrechen";
    QTest::newRow("fr_FR") << "fr_FR" << true << "Tout envoyer" << "Envoi automatique" << "Annuler";
    QTest::newRow("es_MX") << "es_MX" << true << "Subir todo" << "Subida automática" << "Cancelar";
    QTest::newRow("C") << "C" << false << "Upload All" << "Auto Upload" << "Cancel";
    QTest::newRow("en_GB") << "en_GB" << false << "Upload All" << "Auto Upload" << "Cancel";
    // No catalogue of ours: Qt's buttons stay in the window's English too.
    QTest::newRow("it_IT") << "it_IT" << false << "Upload All" << "Auto Upload" << "Cancel";
}

void tst_Translations::windowFollowsLocale()
{
    QFETCH(QString, locale);
    QFETCH(bool, found);
    QFETCH(QString, uploadAll);
    QFETCH(QString, autoUpload);
    QFETCH(QString, qtCancel);

    QCOMPARE(tarvello::installTranslations(*qApp, QLocale(locale)), found);
    mw window;
    QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("uploadfile"))->text(), uploadAll);
    QCOMPARE(window.findChild<QCheckBox *>(QStringLiteral("checkBox_2"))->text(), autoUpload);
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), qtCancel);
}

void tst_Translations::systemLocale()
{
    // Run by CTest once with LANG=C.UTF-8 and once with a German LANG.
    const bool german = QLocale::system().language() == QLocale::German;
    QCOMPARE(tarvello::installTranslations(*qApp), german);
    mw window;
    QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("uploadfile"))->text(),
             german ? QStringLiteral("Alle hochladen") : QStringLiteral("Upload All"));
}

void tst_Translations::helpFollowsLocale_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("expected");

    QTest::newRow("C") << "C.UTF-8" << "Uploads images to an image host and shows their links.";
    QTest::newRow("de") << "de_DE.UTF-8" << "Lädt Bilder zu einem Bild-Host hoch und zeigt ihre Links.";
    QTest::newRow("es") << "es_ES.UTF-8" << "Sube imágenes a un servidor de imágenes y muestra sus enlaces.";
}

void tst_Translations::helpFollowsLocale()
{
    // --help is printed before the window's application object exists.
    QFETCH(QString, lang);
    QFETCH(QString, expected);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LANG"), lang);
    environment.insert(QStringLiteral("LC_ALL"), lang);
    environment.remove(QStringLiteral("LANGUAGE"));
    program.setProcessEnvironment(environment);
    program.start(qEnvironmentVariable("TARVELLO_BIN"), {QStringLiteral("--help")});
    QVERIFY(program.waitForFinished());
    QCOMPARE(program.exitCode(), 0);
    const QString help = QString::fromUtf8(program.readAllStandardOutput());
    QVERIFY2(help.contains(expected), qPrintable(help));
    QVERIFY2(help.contains(QLatin1String("--upload")), qPrintable(help));
}

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"

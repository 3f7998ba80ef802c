// Remembering the login and cleaning up at close.

#include <sys/stat.h>

#include <QCheckBox>
#include <QLabel>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "gui/mw.h"
#include "base/settings.h"
#include "testutil.h"

namespace {

const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Read and write for the owner, nothing for anybody else. (Qt adds the "User" flags for a file
// of the current user, so those are masked off.)
bool isPrivate(const QString &path)
{
    const QFileDevice::Permissions user = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    return (QFile::permissions(path) & ~user) == ownerOnly;
}

void fill(mw &window, const QString &user, const QString &pw, bool remember)
{
    window.findChild<QLineEdit *>(QStringLiteral("usr"))->setText(user);
    window.findChild<QLineEdit *>(QStringLiteral("pw"))->setText(pw);
    window.findChild<QCheckBox *>(QStringLiteral("checkBox"))->setChecked(remember);
}

} // namespace

class tst_Settings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void rememberAndRestore_data();
    void rememberAndRestore();
    void forget();
    void forgetWithoutFile();
    void privateEvenWhenRewritten();
    void otherWorkingDirectory();
    void temporaryFilesAtClose();
    void hostileFile_data();
    void hostileFile();

private:
    QString m_base = QDir::tempPath(); // taken before any test moves $TMPDIR
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_Settings::init()
{
    m_dir = std::make_unique<QTemporaryDir>(m_base + QStringLiteral("/tst_settings-XXXXXX"));
    QVERIFY(m_dir->isValid());
    QDir::setCurrent(m_dir->path());
    QDir().mkdir(QStringLiteral("tmp"));
    qputenv("TMPDIR", QFile::encodeName(m_dir->filePath(QStringLiteral("tmp"))));
}

void tst_Settings::rememberAndRestore_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("pw");

    QTest::newRow("plain") << "ann" << "s3cret";
    QTest::newRow("empty texts") << "" << "";
    QTest::newRow("characters the format escapes") << "a=b;c" << "p ass\"w\\rd\u00e9#";
}

void tst_Settings::rememberAndRestore()
{
    QFETCH(QString, user);
    QFETCH(QString, pw);
    {
        mw window;
        fill(window, user, pw, true);
        window.close();
    }
    QVERIFY(QFile::exists(QStringLiteral("tarvello.ini")));
    QVERIFY(isPrivate(QStringLiteral("tarvello.ini")));
    const QSettings settings(QStringLiteral("tarvello.ini"), QSettings::IniFormat);
    QCOMPARE(settings.allKeys(), (QStringList{"pw", "user"}));
    QCOMPARE(settings.value("user").toString(), user);

    mw again;
    QCOMPARE(again.findChild<QLineEdit *>(QStringLiteral("usr"))->text(), user);
    QCOMPARE(again.findChild<QLineEdit *>(QStringLiteral("pw"))->text(), pw);
    QVERIFY(again.findChild<QCheckBox *>(QStringLiteral("checkBox"))->isChecked());
}

void tst_Settings::forget()
{
    {
        mw window;
        fill(window, QStringLiteral("ann"), QStringLiteral("x"), true);
        window.close();
    }
    {
        mw window;
        window.findChild<QCheckBox *>(QStringLiteral("checkBox"))->setChecked(false);
        window.close();
    }
    QVERIFY(!QFile::exists(QStringLiteral("tarvello.ini")));
    mw again;
    QVERIFY(again.findChild<QLineEdit *>(QStringLiteral("usr"))->text().isEmpty());
    QVERIFY(!again.findChild<QCheckBox *>(QStringLiteral("checkBox"))->isChecked());
}

void tst_Settings::forgetWithoutFile()
{
    mw window;
    fill(window, QStringLiteral("ann"), QStringLiteral("x"), false);
    window.close();
    QVERIFY(!QFile::exists(QStringLiteral("tarvello.ini")));
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
}

void tst_Settings::privateEvenWhenRewritten()
{
    {
        QFile old(QStringLiteral("tarvello.ini"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("[General]\nuser=old\npw=old\n");
        old.close();
        QVERIFY(old.setPermissions(ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    }
    mw window;
    QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("usr"))->text(), QStringLiteral("old"));
    fill(window, QStringLiteral("new"), QStringLiteral("secret"), true);
    window.close();
    QVERIFY(isPrivate(QStringLiteral("tarvello.ini")));
    QCOMPARE(tarvello::readCredentials(QStringLiteral("tarvello.ini"))->pw, QStringLiteral("secret"));
}

void tst_Settings::otherWorkingDirectory()
{
    {
        mw window;
        fill(window, QStringLiteral("here"), QStringLiteral("x"), true);
        window.close();
    }
    QDir().mkdir(QStringLiteral("elsewhere"));
    testutil::CurrentDir elsewhere(m_dir->filePath(QStringLiteral("elsewhere")));
    mw window;
    QVERIFY(window.findChild<QLineEdit *>(QStringLiteral("usr"))->text().isEmpty());
    QVERIFY(!window.findChild<QCheckBox *>(QStringLiteral("checkBox"))->isChecked());
    // The check box says which file the login would go to: the one of this folder.
    QVERIFY(window.findChild<QCheckBox *>(QStringLiteral("checkBox"))
                    ->toolTip()
                    .endsWith(m_dir->filePath(QStringLiteral("elsewhere/tarvello.ini"))));
}

void tst_Settings::temporaryFilesAtClose()
{
    const QString tmp = m_dir->filePath(QStringLiteral("tmp"));
    // The user's own files, one of them inside the temporary folder.
    const QString mine = testutil::writeImage(m_dir->filePath(QStringLiteral("mine.png")), 5, 5);
    const QString mineInTmp = testutil::writeImage(tmp + QStringLiteral("/1234.png"), 5, 5);

    mw window;
    window.addObj(mine, false);
    window.addObj(mineInTmp, false);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::yellow);
    QGuiApplication::clipboard()->setImage(image);
    window.clipb();                  // a temporary file
    window.screens();                // another
    window.handleclick(0, 0);
    window.cw90();                   // the user's file, edited once
    const QString firstEdit = window.entries().at(0).file;
    window.fliph();                  // and again: only the latest edit is the entry's
    const QString latestEdit = window.entries().at(0).file;
    const QString clip = window.entries().at(2).file;
    const QString shot = window.entries().at(3).file;
    for (const QString &file : {firstEdit, latestEdit, clip, shot})
        QVERIFY2(QFile::exists(file), qPrintable(file));

    window.close();
    QVERIFY(!QFile::exists(latestEdit));
    QVERIFY(!QFile::exists(clip));
    QVERIFY(!QFile::exists(shot));
    QVERIFY(!QFile::exists(firstEdit)); // replaced by a later edit, but still one of ours
    QVERIFY(QFile::exists(mine));
    QVERIFY(QFile::exists(mineInTmp));
    QCOMPARE(window.entries().size(), 4);
}

void tst_Settings::hostileFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to another file") << "link";
    QTest::newRow("folder of that name") << "folder";
    QTest::newRow("read-only file") << "readonly";
    QTest::newRow("FIFO of that name") << "fifo";
    QTest::newRow("folder that is gone") << "gone";
}

void tst_Settings::hostileFile()
{
    QFETCH(QString, kind);
    const QString ini = QStringLiteral("tarvello.ini");
    const QString victim = m_dir->filePath(QStringLiteral("victim.txt"));
    {
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\nuser=v\npw=v\n");
    }
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(victim, ini));
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(ini));
    else if (kind == QLatin1String("readonly"))
        QVERIFY(QFile::copy(victim, ini) && QFile::setPermissions(ini, readOnly));
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(qPrintable(ini), 0600), 0);
    const QString folder = m_dir->filePath(QStringLiteral("gone"));
    if (kind == QLatin1String("gone")) {
        QVERIFY(QDir().mkdir(folder));
        QDir::setCurrent(folder);
        QVERIFY(QDir().rmdir(folder));
    }

    {
        // Nothing is read but a file of ours (which a read-only one is), and closing says that
        // the login was not kept.
        mw window;
        QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("usr"))->text().isEmpty(), kind != QLatin1String("readonly"));
        fill(window, QStringLiteral("ann"), QStringLiteral("secret"), true);
        QString said;
        const testutil::ModalAnswer warning([&said](QWidget *modal) {
            said = modal->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))->text();
            static_cast<QDialog *>(modal)->accept();
        });
        window.close();
        QVERIFY2(said.startsWith(QLatin1String("Your login was not remembered.")), qPrintable(said));
    }
    QDir::setCurrent(m_dir->path());
    QCOMPARE(testutil::fileBytes(victim), QByteArray("[General]\nuser=v\npw=v\n"));
    if (kind == QLatin1String("readonly")) {
        QCOMPARE(QFile::permissions(ini) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser), readOnly);
        QCOMPARE(testutil::fileBytes(ini), testutil::fileBytes(victim));
    }
    QCOMPARE(QFileInfo(ini).isSymLink(), kind == QLatin1String("link"));
    // No draft is left behind.
    QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).filter(QStringLiteral("tarvello")),
             kind == QLatin1String("gone") ? QStringList() : QStringList{ini});
}

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"

// Remembering the login and cleaning up at close.

#include <QCheckBox>
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
    QVERIFY(QFile::exists(firstEdit)); // replaced by a later edit, so no longer the entry's
    QVERIFY(QFile::exists(mine));
    QVERIFY(QFile::exists(mineInTmp));
    QCOMPARE(window.entries().size(), 4);
}

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"

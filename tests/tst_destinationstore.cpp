// Keeping destinations: the private file, secrets in the keyring or (without one) in the file,
// replacing by name, the chosen one, export. CTest runs it twice: with a real Secret Service on a
// private bus (TARVELLO_TEST_KEYRING set), and on a bus without one.

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <sys/stat.h>

#include "base/customrequest.h"
#include "base/destinationstore.h"
#include "base/sxcu.h"

using tarvello::Destination;
using tarvello::DestinationStore;
using tarvello::SecretsPlace;
using tarvello::StoreFailure;

namespace {

Destination destination(const QString &name, const QString &url = QStringLiteral("https://h.example/up"),
                        const QByteArray &extra = QByteArray())
{
    QByteArray text = "{\"Version\": \"14.0.0\", \"RequestURL\": \"" + url.toUtf8()
            + "\", \"FileFormName\": \"f\", \"Name\": \"" + name.toUtf8() + '"';
    if (!extra.isEmpty())
        text += ", " + extra;
    const auto reading = tarvello::readSxcu(text + '}');
    return reading.destination.value_or(Destination());
}

const QByteArray secretMembers = R"("Headers": {"Authorization": "Bearer TOKEN-1234567"}, )"
                                 R"("Parameters": {"api_key": "KEY-7654321", "page": "2"})";

QByteArray fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int modeOf(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
}

} // namespace

class tst_DestinationStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void privateFile();
    void secrets();
    void secretsMissing();
    void replaceByName();
    void builtInFirstAndFixed();
    void chosenRemembered();
    void editRenames();
    void exportFile_data();
    void exportFile();

private:
    // A store on the test's file, loaded and ready.
    std::unique_ptr<DestinationStore> loadedStore();
    void addAndWait(DestinationStore &store, const Destination &d, bool replaced = false);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
    QString m_service;
    const bool m_keyring = qEnvironmentVariableIsSet("TARVELLO_TEST_KEYRING");
};

void tst_DestinationStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_file = m_dir->filePath(QStringLiteral("config/tarvello/destinations.json"));
    // Each test its own keyring items, so no test reads another's.
    m_service = QStringLiteral("tarvello-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

std::unique_ptr<DestinationStore> tst_DestinationStore::loadedStore()
{
    auto store = std::make_unique<DestinationStore>(m_file, m_service);
    QSignalSpy ready(store.get(), &DestinationStore::ready);
    store->load();
    // Never from inside load(): a caller connects after calling it.
    const bool early = !ready.isEmpty();
    ready.wait(5000);
    [&] {
        QVERIFY(!early);
        QCOMPARE(ready.size(), 1);
    }();
    return store;
}

void tst_DestinationStore::addAndWait(DestinationStore &store, const Destination &d, bool replaced)
{
    QSignalSpy stored(&store, &DestinationStore::stored);
    QSignalSpy failed(&store, &DestinationStore::failed);
    store.add(d);
    QTRY_VERIFY_WITH_TIMEOUT(!stored.isEmpty() || !failed.isEmpty(), 5000);
    QCOMPARE(failed.size(), 0);
    QCOMPARE(stored.constFirst().at(0).toString(), d.name);
    QCOMPARE(stored.constFirst().at(1).toBool(), replaced);
}

void tst_DestinationStore::privateFile()
{
    auto store = loadedStore();
    QVERIFY(!QFile::exists(m_file));
    addAndWait(*store, destination(QStringLiteral("Plain")));
    QVERIFY(QFile::exists(m_file));
    QCOMPARE(modeOf(m_file), 0600);
    QCOMPARE(store->secretsPlace(), SecretsPlace::None);
}

void tst_DestinationStore::secrets()
{
    auto store = loadedStore();
    QSignalSpy stored(store.get(), &DestinationStore::stored);
    store->add(destination(QStringLiteral("Team"), QStringLiteral("https://h.example/up"), secretMembers));
    QTRY_COMPARE_WITH_TIMEOUT(stored.size(), 1, 10000);
    const SecretsPlace expected = m_keyring ? SecretsPlace::Keyring : SecretsPlace::PrivateFile;
    QCOMPARE(stored.constFirst().at(2).value<SecretsPlace>(), expected);
    QCOMPARE(store->secretsPlace(), expected);

    const QByteArray text = fileText(m_file);
    QVERIFY(text.contains("page"));
    QCOMPARE(text.contains("TOKEN-1234567"), !m_keyring);
    QCOMPARE(text.contains("KEY-7654321"), !m_keyring);
    QCOMPARE(modeOf(m_file), 0600);

    // Another run gets them back, from wherever they went.
    auto again = loadedStore();
    const auto team = again->find(QStringLiteral("team"));
    QVERIFY(team);
    QVERIFY(team->missingSecrets.isEmpty());
    QCOMPARE(tarvello::valueOf(*team, {tarvello::SecretField::Header, "Authorization"}), QString("Bearer TOKEN-1234567"));
    QCOMPARE(tarvello::valueOf(*team, {tarvello::SecretField::Parameter, "api_key"}), QString("KEY-7654321"));
    QCOMPARE(again->secretsPlace(), expected);
}

void tst_DestinationStore::secretsMissing()
{
    // A file that says the keyring holds the secrets, and a keyring that does not.
    {
        auto store = loadedStore();
        addAndWait(*store, destination(QStringLiteral("Gone"), QStringLiteral("https://h.example/up"), secretMembers));
    }
    QByteArray text = fileText(m_file);
    if (!m_keyring) {
        QVERIFY(text.contains("TOKEN-1234567"));
        QSKIP("without a keyring the secrets stay in the file");
    }
    m_service += QLatin1String("-elsewhere");
    auto store = std::make_unique<DestinationStore>(m_file, m_service);
    QSignalSpy failed(store.get(), &DestinationStore::failed);
    QSignalSpy ready(store.get(), &DestinationStore::ready);
    store->load();
    QVERIFY(ready.wait(5000));
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.constFirst().at(0).value<StoreFailure>().kind, StoreFailure::SecretsUnavailable);
    const auto gone = store->find(QStringLiteral("Gone"));
    QVERIFY(gone);
    QCOMPARE(gone->missingSecrets.size(), 2);
    // Nothing is sent without them.
    const auto preparation = tarvello::prepareRequest(*gone, {QString(), "a.png", "image/png"}, {});
    QCOMPARE(preparation.failure.kind, tarvello::RequestFailure::SecretsMissing);
}

void tst_DestinationStore::replaceByName()
{
    auto store = loadedStore();
    addAndWait(*store, destination(QStringLiteral("Team"), QStringLiteral("https://old.example/up")));
    addAndWait(*store, destination(QStringLiteral("Other")));
    addAndWait(*store, destination(QStringLiteral("team"), QStringLiteral("https://new.example/up")), true);
    const QList<Destination> list = store->destinations();
    QCOMPARE(list.size(), 3);
    QCOMPARE(list[1].name, QString("team"));
    QCOMPARE(list[1].requestUrl, QString("https://new.example/up"));
    QCOMPARE(list[2].name, QString("Other"));
    auto again = loadedStore();
    QCOMPARE(again->destinations(), list);
}

void tst_DestinationStore::builtInFirstAndFixed()
{
    auto store = loadedStore();
    QCOMPARE(store->destinations().size(), 1);
    QVERIFY(store->destinations().constFirst().builtIn);
    QVERIFY(store->chosenDestination().builtIn);
    QSignalSpy failed(store.get(), &DestinationStore::failed);
    store->remove(QString());
    store->add(Destination::builtInDestination());
    store->remove(QStringLiteral("Nobody"));
    QCOMPARE(failed.size(), 3);
    QCOMPARE(failed[0].at(0).value<StoreFailure>().kind, StoreFailure::BuiltInFixed);
    QCOMPARE(failed[1].at(0).value<StoreFailure>().kind, StoreFailure::BuiltInFixed);
    QCOMPARE(failed[2].at(0).value<StoreFailure>().kind, StoreFailure::NoSuchDestination);
    Destination ftp = destination(QStringLiteral("Ftp"));
    ftp.requestUrl = QStringLiteral("ftp://h.example/");
    store->add(ftp);
    QCOMPARE(failed.size(), 4);
    QCOMPARE(failed[3].at(0).value<StoreFailure>().refusal.kind, tarvello::SxcuRefusal::NotHttpAddress);
    QCOMPARE(store->destinations().size(), 1);
}

void tst_DestinationStore::chosenRemembered()
{
    {
        auto store = loadedStore();
        addAndWait(*store, destination(QStringLiteral("A")));
        addAndWait(*store, destination(QStringLiteral("B")));
        QVERIFY(store->choose(QStringLiteral("b")));
        QVERIFY(!store->choose(QStringLiteral("C")));
        QCOMPARE(store->chosen(), QString("B"));
    }
    auto store = loadedStore();
    QCOMPARE(store->chosen(), QString("B"));
    QCOMPARE(store->chosenDestination().name, QString("B"));
    store->remove(QStringLiteral("B"));
    QVERIFY(store->chosenDestination().builtIn);
    QCOMPARE(loadedStore()->chosen(), QString());
}

void tst_DestinationStore::editRenames()
{
    auto store = loadedStore();
    addAndWait(*store, destination(QStringLiteral("A")));
    addAndWait(*store, destination(QStringLiteral("B")));
    store->choose(QStringLiteral("A"));
    QSignalSpy failed(store.get(), &DestinationStore::failed);
    store->edit(QStringLiteral("A"), destination(QStringLiteral("b")));
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.constFirst().at(0).value<StoreFailure>().kind, StoreFailure::NameTaken);

    QSignalSpy stored(store.get(), &DestinationStore::stored);
    store->edit(QStringLiteral("a"), destination(QStringLiteral("C"), QStringLiteral("https://c.example/")));
    QTRY_COMPARE(stored.size(), 1);
    QCOMPARE(store->chosen(), QString("C"));
    QVERIFY(!store->find(QStringLiteral("A")));
    QCOMPARE(store->destinations().at(1).requestUrl, QString("https://c.example/"));
}

void tst_DestinationStore::exportFile_data()
{
    QTest::addColumn<bool>("withSecrets");
    QTest::newRow("without secrets") << false;
    QTest::newRow("with secrets") << true;
}

void tst_DestinationStore::exportFile()
{
    QFETCH(bool, withSecrets);
    auto store = loadedStore();
    const Destination team = destination(QStringLiteral("Team"), QStringLiteral("https://h.example/up"), secretMembers);
    addAndWait(*store, team);
    const QString path = m_dir->filePath(QStringLiteral("team.sxcu"));
    QCOMPARE(store->exportTo(QStringLiteral("TEAM"), path, withSecrets).kind, StoreFailure::None);
    const QByteArray text = fileText(path);
    QCOMPARE(text.contains("TOKEN-1234567"), withSecrets);
    if (withSecrets)
        QCOMPARE(modeOf(path), 0600);
    const auto reading = tarvello::readSxcuFile(path);
    QVERIFY(reading.destination);
    if (withSecrets)
        QCOMPARE(*reading.destination, team);
    QCOMPARE(store->exportTo(QString(), path, false).kind, StoreFailure::BuiltInFixed);
}

QTEST_GUILESS_MAIN(tst_DestinationStore)
#include "tst_destinationstore.moc"

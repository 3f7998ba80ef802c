#include "base/destinationstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>

#include <qt6keychain/keychain.h>

namespace tarvello {

namespace {

// The stored file is small; one far larger was not written by this program.
constexpr qint64 maxStoreBytes = 4 * 1024 * 1024;

QString fieldKey(SecretField field)
{
    switch (field) {
    case SecretField::Parameter:
        return QStringLiteral("Parameters");
    case SecretField::Header:
        return QStringLiteral("Headers");
    case SecretField::Argument:
        break;
    }
    return QStringLiteral("Arguments");
}

std::optional<SecretField> fieldOf(const QString &key)
{
    for (const SecretField field : {SecretField::Parameter, SecretField::Header, SecretField::Argument}) {
        if (fieldKey(field) == key)
            return field;
    }
    return std::nullopt;
}

QString secretName(const SecretRef &ref)
{
    return fieldKey(ref.field) + QLatin1String(": ") + ref.name;
}

bool writePrivately(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return file.write(data) == data.size() && file.commit();
}

} // namespace

DestinationStore::DestinationStore(QObject *parent)
    : DestinationStore(defaultFilePath(), QStringLiteral("tarvello"), parent)
{
}

DestinationStore::DestinationStore(const QString &filePath, const QString &keyringService, QObject *parent)
    : QObject(parent)
    , m_filePath(filePath)
    , m_service(keyringService)
{
}

DestinationStore::~DestinationStore() = default;

QString DestinationStore::defaultFilePath()
{
    // Beside tarvello.conf, whatever the application's name.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QLatin1String("/tarvello/destinations.json");
}

void DestinationStore::load()
{
    m_entries.clear();
    m_chosen.clear();
    m_ready = false;
    QFile file(m_filePath);
    QJsonObject root;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray data = file.read(maxStoreBytes + 1);
        const QJsonDocument document = QJsonDocument::fromJson(data);
        if (data.size() > maxStoreBytes || !document.isObject())
            fail(StoreFailure::Unreadable, m_filePath);
        else
            root = document.object();
    }

    auto finishOne = [this, pending = std::make_shared<int>(0)](int add) mutable {
        *pending += add;
        if (*pending == 0 && !m_ready) {
            m_ready = true;
            emit ready();
        }
    };
    // Held until every keyring answer came, so ready() cannot come early.
    finishOne(1);

    for (const QJsonValue &value : root.value(QStringLiteral("destinations")).toArray()) {
        const QJsonObject object = value.toObject();
        const SxcuReading reading = readSxcu(object.value(QStringLiteral("sxcu")).toString().toUtf8());
        if (!reading.destination || indexOf(reading.destination->name) >= 0) {
            fail(StoreFailure::Unreadable, m_filePath);
            continue;
        }
        Entry entry;
        entry.id = object.value(QStringLiteral("id")).toString();
        if (entry.id.isEmpty())
            entry.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        entry.destination = *reading.destination;
        for (const QJsonValue &secret : object.value(QStringLiteral("keyring")).toArray()) {
            const auto field = fieldOf(secret.toObject().value(QStringLiteral("field")).toString());
            if (field)
                entry.keyringSecrets.append({*field, secret.toObject().value(QStringLiteral("name")).toString()});
        }
        entry.inKeyring = !entry.keyringSecrets.isEmpty();
        entry.generation = m_nextGeneration++;
        if (entry.inKeyring) {
            m_place = SecretsPlace::Keyring;
            for (const SecretRef &ref : std::as_const(entry.keyringSecrets))
                entry.destination.missingSecrets.append(secretName(ref));
            finishOne(1);
            const QString id = entry.id;
            const quint64 generation = entry.generation;
            readSecrets(keyringKey(id), [this, id, generation, finishOne](std::optional<QString> text) mutable {
                for (Entry &e : m_entries) {
                    if (e.id != id || e.generation != generation)
                        continue;
                    const QJsonObject secrets = QJsonDocument::fromJson(text.value_or(QString()).toUtf8()).object();
                    Destination &d = e.destination;
                    for (const SecretRef &ref : std::as_const(e.keyringSecrets)) {
                        const QJsonValue v = secrets.value(fieldKey(ref.field)).toObject().value(ref.name);
                        if (v.isString()) {
                            setValue(d, ref, v.toString());
                            d.missingSecrets.removeAll(secretName(ref));
                        }
                    }
                    if (!d.missingSecrets.isEmpty())
                        fail(StoreFailure::SecretsUnavailable, d.name);
                    emit changed();
                }
                finishOne(-1);
            });
        } else if (!secretsOf(entry.destination).isEmpty() && m_place == SecretsPlace::None) {
            m_place = SecretsPlace::PrivateFile;
        }
        m_entries.append(entry);
    }
    m_chosen = root.value(QStringLiteral("chosen")).toString();
    if (indexOf(m_chosen) < 0)
        m_chosen.clear();
    else
        m_chosen = m_entries[indexOf(m_chosen)].destination.name;
    // ready() comes from the event loop, after the caller had a chance to connect.
    QTimer::singleShot(0, this, [finishOne]() mutable { finishOne(-1); });
}

QList<Destination> DestinationStore::destinations() const
{
    QList<Destination> list{Destination::builtInDestination()};
    for (const Entry &entry : m_entries)
        list.append(entry.destination);
    return list;
}

std::optional<Destination> DestinationStore::find(const QString &name) const
{
    const qsizetype index = indexOf(name);
    if (index < 0)
        return std::nullopt;
    return m_entries[index].destination;
}

qsizetype DestinationStore::indexOf(const QString &name) const
{
    if (name.isEmpty())
        return -1;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].destination.name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

Destination DestinationStore::chosenDestination() const
{
    return find(m_chosen).value_or(Destination::builtInDestination());
}

bool DestinationStore::choose(const QString &name)
{
    const qsizetype index = indexOf(name);
    if (!name.isEmpty() && index < 0)
        return false;
    m_chosen = index < 0 ? QString() : m_entries[index].destination.name;
    save();
    emit changed();
    return true;
}

SecretsPlace DestinationStore::secretsPlace() const
{
    return m_place;
}

void DestinationStore::add(const Destination &destination)
{
    if (destination.builtIn) {
        fail(StoreFailure::BuiltInFixed, QString());
        return;
    }
    const qsizetype index = indexOf(destination.name);
    put(index, destination, index >= 0);
}

void DestinationStore::edit(const QString &name, const Destination &destination)
{
    const qsizetype index = indexOf(name);
    if (index < 0 || destination.builtIn) {
        fail(name.isEmpty() || destination.builtIn ? StoreFailure::BuiltInFixed : StoreFailure::NoSuchDestination,
             name);
        return;
    }
    const qsizetype other = indexOf(destination.name);
    if (other >= 0 && other != index) {
        fail(StoreFailure::NameTaken, destination.name);
        return;
    }
    if (m_chosen.compare(name, Qt::CaseInsensitive) == 0)
        m_chosen = destination.name;
    put(index, destination, true);
}

void DestinationStore::put(qsizetype index, const Destination &given, bool replaced)
{
    Destination destination = given;
    destination.missingSecrets.clear();
    if (const SxcuRefusal refusal = validateDestination(destination);
        refusal.kind != SxcuRefusal::None || destination.name.trimmed().isEmpty()) {
        StoreFailure failure;
        failure.kind = StoreFailure::Invalid;
        failure.detail = destination.name;
        failure.refusal = refusal;
        emit failed(failure);
        return;
    }
    if (index < 0) {
        Entry entry;
        entry.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        m_entries.append(entry);
        index = m_entries.size() - 1;
    }
    Entry &entry = m_entries[index];
    const bool wasInKeyring = entry.inKeyring;
    entry.destination = destination;
    entry.generation = m_nextGeneration++;
    entry.keyringSecrets = secretsOf(destination);
    const QString name = destination.name;

    if (entry.keyringSecrets.isEmpty()) {
        entry.inKeyring = false;
        if (wasInKeyring)
            deleteSecrets(keyringKey(entry.id));
        emit changed();
        if (save())
            emit stored(name, replaced, SecretsPlace::None);
        return;
    }

    // Until the keyring answers, the file holds the new version without its secrets.
    entry.inKeyring = true;
    emit changed();
    save();
    QJsonObject secrets;
    for (const SecretRef &ref : std::as_const(entry.keyringSecrets)) {
        QJsonObject group = secrets.value(fieldKey(ref.field)).toObject();
        group.insert(ref.name, valueOf(destination, ref));
        secrets.insert(fieldKey(ref.field), group);
    }
    const QString id = entry.id;
    const quint64 generation = entry.generation;
    writeSecrets(keyringKey(id), QString::fromUtf8(QJsonDocument(secrets).toJson(QJsonDocument::Compact)),
                 [this, id, generation, name, replaced](bool ok) {
                     for (Entry &e : m_entries) {
                         if (e.id != id || e.generation != generation)
                             continue;
                         e.inKeyring = ok;
                         m_place = ok ? SecretsPlace::Keyring : SecretsPlace::PrivateFile;
                         if (save())
                             emit stored(name, replaced, m_place);
                     }
                 });
}

void DestinationStore::remove(const QString &name)
{
    const qsizetype index = indexOf(name);
    if (index < 0) {
        fail(name.isEmpty() ? StoreFailure::BuiltInFixed : StoreFailure::NoSuchDestination, name);
        return;
    }
    const Entry entry = m_entries.takeAt(index);
    if (entry.inKeyring)
        deleteSecrets(keyringKey(entry.id));
    if (m_chosen.compare(name, Qt::CaseInsensitive) == 0)
        m_chosen.clear();
    emit changed();
    save();
}

StoreFailure DestinationStore::exportTo(const QString &name, const QString &path, bool withSecrets) const
{
    StoreFailure failure;
    const auto destination = find(name);
    if (!destination) {
        failure.kind = name.isEmpty() ? StoreFailure::BuiltInFixed : StoreFailure::NoSuchDestination;
        failure.detail = name;
        return failure;
    }
    const QByteArray data = writeSxcu(*destination, withSecrets);
    bool written = false;
    if (withSecrets) {
        written = writePrivately(path, data);
    } else {
        QSaveFile file(path);
        written = file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
    }
    if (!written) {
        failure.kind = StoreFailure::Unwritable;
        failure.detail = path;
    }
    return failure;
}

bool DestinationStore::save()
{
    QJsonArray list;
    for (const Entry &entry : std::as_const(m_entries)) {
        Destination d = entry.destination;
        QJsonArray keyring;
        if (entry.inKeyring) {
            for (const SecretRef &ref : entry.keyringSecrets) {
                setValue(d, ref, QLatin1String(""));
                keyring.append(QJsonObject{{QStringLiteral("field"), fieldKey(ref.field)},
                                           {QStringLiteral("name"), ref.name}});
            }
        }
        QJsonObject object{{QStringLiteral("id"), entry.id},
                           {QStringLiteral("sxcu"), QString::fromUtf8(writeSxcu(d, true))}};
        if (!keyring.isEmpty())
            object.insert(QStringLiteral("keyring"), keyring);
        list.append(object);
    }
    const QJsonObject root{{QStringLiteral("chosen"), m_chosen}, {QStringLiteral("destinations"), list}};
    if (writePrivately(m_filePath, QJsonDocument(root).toJson()))
        return true;
    fail(StoreFailure::Unwritable, m_filePath);
    return false;
}

void DestinationStore::fail(StoreFailure::Kind kind, const QString &detail)
{
    StoreFailure failure;
    failure.kind = kind;
    failure.detail = detail;
    emit failed(failure);
}

QString DestinationStore::keyringKey(const QString &id) const
{
    return QLatin1String("destination/") + id;
}

void DestinationStore::writeSecrets(const QString &key, const QString &text, std::function<void(bool)> done)
{
    auto *job = new QKeychain::WritePasswordJob(m_service, this);
    job->setKey(key);
    job->setTextData(text);
    job->setInsecureFallback(false);
    connect(job, &QKeychain::Job::finished, this,
            [done](QKeychain::Job *finished) { done(finished->error() == QKeychain::NoError); });
    job->start();
}

void DestinationStore::readSecrets(const QString &key, std::function<void(std::optional<QString>)> done)
{
    auto *job = new QKeychain::ReadPasswordJob(m_service, this);
    job->setKey(key);
    job->setInsecureFallback(false);
    connect(job, &QKeychain::Job::finished, this, [done](QKeychain::Job *finished) {
        if (finished->error() != QKeychain::NoError)
            done(std::nullopt);
        else
            done(static_cast<QKeychain::ReadPasswordJob *>(finished)->textData());
    });
    job->start();
}

void DestinationStore::deleteSecrets(const QString &key)
{
    auto *job = new QKeychain::DeletePasswordJob(m_service, this);
    job->setKey(key);
    job->setInsecureFallback(false);
    job->start();
}

} // namespace tarvello

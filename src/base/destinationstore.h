#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

#include "base/destination.h"
#include "base/sxcu.h"

namespace tarvello {

// Where the secrets of custom destinations are kept.
enum class SecretsPlace {
    None, // no destination has any
    Keyring, // the desktop's keyring (Secret Service)
    PrivateFile, // no keyring answered: in the destinations file, readable by the user only
};

struct StoreFailure
{
    enum Kind {
        None,
        Unwritable, // detail: the file
        Unreadable, // the destinations file is broken; detail: the file
        NoSuchDestination, // detail: the name
        BuiltInFixed, // the built-in destination cannot be removed or changed
        NameTaken, // an edit would give a name another destination has; detail: the name
        Invalid, // refusal says why
        SecretsUnavailable, // the keyring did not give a destination's secrets; detail: its name
    };
    Kind kind = None;
    QString detail;
    SxcuRefusal refusal;
};

// The destinations, kept in destinations.json in the desktop's configuration folder beside
// tarvello.conf (private, written whole), their secrets in the desktop's keyring when one
// answers. The built-in destination is always the first and cannot be removed; names are unique
// without regard to case. The keyring is asynchronous, so changes that involve it end in
// stored() or failed(); the list itself changes at once (changed()).
class DestinationStore : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DestinationStore)

public:
    explicit DestinationStore(QObject *parent = nullptr);
    // For tests: another file and another keyring service name.
    DestinationStore(const QString &filePath, const QString &keyringService, QObject *parent = nullptr);
    ~DestinationStore() override;

    // $XDG_CONFIG_HOME/tarvello/destinations.json
    static QString defaultFilePath();

    // Reads the file and asks the keyring for the secrets kept there; ready() once all is known
    // (always later, never from inside this call). A broken file is reported by failed() from
    // inside the call: connect it first.
    void load();
    bool isReady() const { return m_ready; }

    QList<Destination> destinations() const; // the built-in one first
    // A custom destination by name, without regard to case.
    std::optional<Destination> find(const QString &name) const;

    // The name of the chosen destination; empty for the built-in one.
    QString chosen() const { return m_chosen; }
    Destination chosenDestination() const;
    // Empty chooses the built-in destination. False for a name not kept.
    bool choose(const QString &name);

    // Where the secrets went at the last change, or were found at loading.
    SecretsPlace secretsPlace() const;
    QString filePath() const { return m_filePath; }

    // Adds a destination, or replaces the one of the same name: stored(name, replaced, place)
    // or failed().
    void add(const Destination &destination);
    // Replaces the destination called `name` by `destination`, which may have another name.
    void edit(const QString &name, const Destination &destination);
    void remove(const QString &name);
    // Writes the destination as a custom-uploader file; secrets only when asked for.
    StoreFailure exportTo(const QString &name, const QString &path, bool withSecrets) const;

signals:
    void ready();
    void changed();
    void stored(const QString &name, bool replaced, tarvello::SecretsPlace place);
    void failed(const tarvello::StoreFailure &failure);

private:
    struct Entry
    {
        QString id; // names its keyring item
        Destination destination;
        bool inKeyring = false;
        QList<SecretRef> keyringSecrets; // what the keyring holds for it
        quint64 generation = 0; // a keyring answer for an older version is ignored
    };

    qsizetype indexOf(const QString &name) const;
    void put(qsizetype index, const Destination &destination, bool replaced);
    bool save();
    void fail(StoreFailure::Kind kind, const QString &detail);
    QString keyringKey(const QString &id) const;
    void writeSecrets(const QString &key, const QString &text, std::function<void(bool)> done);
    void readSecrets(const QString &key, std::function<void(std::optional<QString>)> done);
    void deleteSecrets(const QString &key);

    QString m_filePath;
    QString m_service;
    QList<Entry> m_entries;
    QString m_chosen;
    SecretsPlace m_place = SecretsPlace::None;
    bool m_ready = false;
    quint64 m_nextGeneration = 1;
};

} // namespace tarvello

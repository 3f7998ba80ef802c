#include "gui/destinationchooser.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "base/destinationstore.h"
#include "base/sxcu.h"
#include "gui/destinationsdialog.h"
#include "gui/destinationtexts.h"
#include "gui/importdestinationdialog.h"

namespace tarvello {

DestinationChooser::DestinationChooser(DestinationStore *store, QComboBox *box, QWidget *window)
    : QObject(window)
    , m_store(store)
    , m_box(box)
    , m_window(window)
    , m_import(new QAction(QCoreApplication::translate("mw", "Import destination..."), this))
    , m_manage(new QAction(QCoreApplication::translate("mw", "Destinations..."), this))
{
    m_box->setToolTip(QCoreApplication::translate("mw", "Where uploads go"));
    m_box->setAccessibleName(QCoreApplication::translate("mw", "Destination"));
    m_box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_box->setMinimumContentsLength(12);
    connect(m_box, &QComboBox::activated, this, [this](int index) {
        m_store->choose(m_box->itemData(index).toString());
    });
    connect(m_store, &DestinationStore::changed, this, &DestinationChooser::refill);
    connect(m_store, &DestinationStore::ready, this, &DestinationChooser::refill);
    connect(m_store, &DestinationStore::failed, this, [this](const StoreFailure &failure) {
        emit notice(storeFailureText(failure));
    });
    connect(m_store, &DestinationStore::stored, this, [this](const QString &name, bool replaced, SecretsPlace) {
        if (name.compare(m_importing, Qt::CaseInsensitive) != 0)
            return;
        m_importing.clear();
        m_store->choose(name);
        refill();
        emit notice(replaced ? QCoreApplication::translate("mw", "%1 was replaced; uploads now go there.").arg(name)
                             : QCoreApplication::translate("mw", "%1 was added; uploads now go there.").arg(name));
    });
    connect(m_import, &QAction::triggered, this, &DestinationChooser::pickFile);
    connect(m_manage, &QAction::triggered, this, [this] {
        DestinationsDialog dialog(m_store, m_window);
        dialog.exec();
    });
    refill();
}

bool DestinationChooser::isCustomUploaderFile(const QString &path)
{
    return path.endsWith(QLatin1String(".sxcu"), Qt::CaseInsensitive);
}

void DestinationChooser::refill()
{
    const QString chosen = m_store->chosen();
    m_box->clear();
    for (const Destination &destination : m_store->destinations()) {
        const QString name = destination.builtIn ? QString() : destination.name;
        m_box->addItem(destinationTitle(destination), name);
        if (name.compare(chosen, Qt::CaseInsensitive) == 0)
            m_box->setCurrentIndex(m_box->count() - 1);
    }
    emit this->chosen(chosen.isEmpty());
}

void DestinationChooser::pickFile()
{
    const QString file = QFileDialog::getOpenFileName(
            m_window, QCoreApplication::translate("mw", "Import destination"), QDir::homePath(),
            QCoreApplication::translate("mw", "Custom uploaders (*.sxcu);;All files (*)"));
    if (!file.isEmpty())
        importFile(file);
}

void DestinationChooser::importFile(const QString &path)
{
    const SxcuReading reading = readSxcuFile(path);
    if (!reading.destination) {
        QMessageBox::warning(m_window, QCoreApplication::translate("mw", "Not imported"),
                             QCoreApplication::translate("mw", "%1 was not imported: %2")
                                     .arg(QFileInfo(path).fileName(), sxcuRefusalText(reading.refusal)));
        return;
    }
    const Destination &destination = *reading.destination;
    ImportDestinationDialog dialog(destination, m_store->find(destination.name).has_value(), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_importing = destination.name;
    m_store->add(destination);
}

} // namespace tarvello

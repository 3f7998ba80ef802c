#include "gui/destinationsdialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/destinationstore.h"
#include "gui/destinationeditor.h"
#include "gui/destinationtexts.h"

namespace tarvello {

namespace {

constexpr int nameRole = Qt::UserRole;

} // namespace

DestinationsDialog::DestinationsDialog(DestinationStore *store, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_list(new QListWidget(this))
    , m_edit(new QPushButton(QCoreApplication::translate("mw", "Edit..."), this))
    , m_export(new QPushButton(QCoreApplication::translate("mw", "Export..."), this))
    , m_remove(new QPushButton(QCoreApplication::translate("mw", "Remove"), this))
    , m_secrets(new QLabel(this))
    , m_message(new QLabel(this))
{
    setWindowTitle(QCoreApplication::translate("mw", "Destinations"));
    m_list->setObjectName(QStringLiteral("destinationList"));
    m_edit->setObjectName(QStringLiteral("editButton"));
    m_export->setObjectName(QStringLiteral("exportButton"));
    m_remove->setObjectName(QStringLiteral("removeButton"));
    m_secrets->setObjectName(QStringLiteral("secretsLabel"));
    m_message->setObjectName(QStringLiteral("messageLabel"));
    for (QLabel *label : {m_secrets, m_message}) {
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
    }

    auto *layout = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    auto *side = new QVBoxLayout;
    side->addWidget(m_edit);
    side->addWidget(m_export);
    side->addWidget(m_remove);
    side->addStretch();
    row->addLayout(side);
    layout->addLayout(row);
    layout->addWidget(m_secrets);
    layout->addWidget(m_message);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, &DestinationsDialog::updateButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &DestinationsDialog::editSelected);
    connect(m_edit, &QPushButton::clicked, this, &DestinationsDialog::editSelected);
    connect(m_export, &QPushButton::clicked, this, &DestinationsDialog::exportSelected);
    connect(m_remove, &QPushButton::clicked, this, &DestinationsDialog::removeSelected);
    connect(m_store, &DestinationStore::changed, this, &DestinationsDialog::refill);
    connect(m_store, &DestinationStore::stored, this, [this] {
        m_message->clear();
        refill();
    });
    connect(m_store, &DestinationStore::failed, this,
            [this](const StoreFailure &failure) { m_message->setText(storeFailureText(failure)); });
    refill();
}

QString DestinationsDialog::selectedName() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->data(nameRole).toString() : QString();
}

void DestinationsDialog::refill()
{
    const QString selected = selectedName();
    m_list->clear();
    for (const Destination &destination : m_store->destinations()) {
        auto *item = new QListWidgetItem(destinationTitle(destination), m_list);
        item->setData(nameRole, destination.name);
        if (!destination.missingSecrets.isEmpty())
            item->setToolTip(QCoreApplication::translate("mw", "Its secrets are missing: edit it to give them again."));
        if (!selected.isEmpty() && destination.name == selected)
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem())
        m_list->setCurrentRow(0);
    m_secrets->setText(secretsPlaceText(m_store->secretsPlace()));
    updateButtons();
}

void DestinationsDialog::updateButtons()
{
    // The built-in destination is part of the program.
    const bool custom = !selectedName().isEmpty();
    m_edit->setEnabled(custom);
    m_export->setEnabled(custom);
    m_remove->setEnabled(custom);
}

void DestinationsDialog::editSelected()
{
    const auto destination = m_store->find(selectedName());
    if (!destination)
        return;
    DestinationEditor editor(*destination, this);
    if (editor.exec() == QDialog::Accepted)
        m_store->edit(destination->name, editor.destination());
}

void DestinationsDialog::exportSelected()
{
    const auto destination = m_store->find(selectedName());
    if (!destination)
        return;
    QFileDialog dialog(this, QCoreApplication::translate("mw", "Export destination"),
                       QDir::home().filePath(destination->name + QLatin1String(".sxcu")),
                       QCoreApplication::translate("mw", "Custom uploaders (*.sxcu)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(QStringLiteral("sxcu"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    bool withSecrets = false;
    if (!secretsOf(*destination).isEmpty()) {
        withSecrets = QMessageBox::question(this, QCoreApplication::translate("mw", "Export destination"),
                                            QCoreApplication::translate("mw", "Include the keys, tokens and "
                                                                              "passwords? Anyone with the file "
                                                                              "can then use them."),
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                == QMessageBox::Yes;
    }
    const StoreFailure failure = m_store->exportTo(destination->name, dialog.selectedFiles().constFirst(), withSecrets);
    m_message->setText(failure.kind == StoreFailure::None
                               ? QCoreApplication::translate("mw", "Exported to %1.").arg(dialog.selectedFiles().constFirst())
                               : storeFailureText(failure));
}

void DestinationsDialog::removeSelected()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    if (QMessageBox::question(this, QCoreApplication::translate("mw", "Remove destination"),
                              QCoreApplication::translate("mw", "Remove the destination \"%1\"?").arg(name),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes)
        m_store->remove(name);
}

} // namespace tarvello

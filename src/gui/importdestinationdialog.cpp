#include "gui/importdestinationdialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarvello {

ImportDestinationDialog::ImportDestinationDialog(const Destination &destination, bool replaces, QWidget *parent)
    : QDialog(parent)
    , m_sent(new QTreeWidget(this))
{
    setWindowTitle(QCoreApplication::translate("mw", "Import destination"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QCoreApplication::translate("mw", "Import this destination?"), this));

    auto *form = new QFormLayout;
    auto *name = new QLabel(destination.name, this);
    name->setObjectName(QStringLiteral("nameLabel"));
    name->setTextFormat(Qt::PlainText);
    form->addRow(QCoreApplication::translate("mw", "Name:"), name);
    auto *host = new QLabel(hostOf(destination.requestUrl), this);
    host->setObjectName(QStringLiteral("hostLabel"));
    host->setTextFormat(Qt::PlainText);
    form->addRow(QCoreApplication::translate("mw", "Sends to:"), host);
    const QString how = destination.body == Destination::Body::Binary
            ? QCoreApplication::translate("mw", "%1, the image as the whole body").arg(QString::fromLatin1(destination.method))
            : QCoreApplication::translate("mw", "%1, the image as the form field \"%2\"").arg(QString::fromLatin1(destination.method),
                                                               destination.fileFormName);
    auto *method = new QLabel(how, this);
    method->setObjectName(QStringLiteral("methodLabel"));
    method->setTextFormat(Qt::PlainText);
    form->addRow(QCoreApplication::translate("mw", "How:"), method);
    layout->addLayout(form);

    m_sent->setObjectName(QStringLiteral("sentItems"));
    m_sent->setRootIsDecorated(false);
    m_sent->setHeaderLabels({QCoreApplication::translate("mw", "Sent as"), QCoreApplication::translate("mw", "Name"), QCoreApplication::translate("mw", "Value")});
    const QList<std::tuple<SecretField, QString, const QList<NamedValue> *>> groups{
            {SecretField::Header, QCoreApplication::translate("mw", "Header"), &destination.headers},
            {SecretField::Argument, QCoreApplication::translate("mw", "Form field"), &destination.arguments},
            {SecretField::Parameter, QCoreApplication::translate("mw", "Address parameter"), &destination.parameters}};
    for (const auto &[field, label, values] : groups) {
        for (const NamedValue &value : *values) {
            const bool secret = looksSecret(field, value.name) && !value.value.isEmpty();
            auto *item = new QTreeWidgetItem(m_sent, {label, value.name, secret ? hiddenText() : value.value});
            item->setToolTip(2, secret ? QCoreApplication::translate("mw", "A secret: kept in the keyring where one runs, never shown")
                                       : value.value);
        }
    }
    m_sent->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto *sentLabel = new QLabel(m_sent->topLevelItemCount() > 0 ? QCoreApplication::translate("mw", "Sent besides the image:")
                                                                  : QCoreApplication::translate("mw", "Nothing is sent besides the image."),
                                 this);
    layout->addWidget(sentLabel);
    layout->addWidget(m_sent);
    m_sent->setVisible(m_sent->topLevelItemCount() > 0);

    if (replaces) {
        auto *note = new QLabel(QCoreApplication::translate("mw", "A destination called \"%1\" exists; importing replaces it.").arg(destination.name),
                                this);
        note->setObjectName(QStringLiteral("replaceLabel"));
        note->setTextFormat(Qt::PlainText);
        note->setWordWrap(true);
        layout->addWidget(note);
    }

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *import = buttons->addButton(QCoreApplication::translate("mw", "Import"), QDialogButtonBox::AcceptRole);
    import->setObjectName(QStringLiteral("importButton"));
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString ImportDestinationDialog::hiddenText()
{
    return QCoreApplication::translate("mw", "(hidden)");
}

} // namespace tarvello

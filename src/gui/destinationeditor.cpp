#include "gui/destinationeditor.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "base/sxcu.h"
#include "gui/destinationtexts.h"

namespace tarvello {

DestinationEditor::DestinationEditor(const Destination &destination, QWidget *parent)
    : QDialog(parent)
    , m_original(destination)
    , m_name(new QLineEdit(destination.name, this))
    , m_address(new QLineEdit(destination.requestUrl, this))
    , m_link(new QLineEdit(destination.url, this))
    , m_problem(new QLabel(this))
{
    setWindowTitle(QCoreApplication::translate("mw", "Edit destination"));
    // Room for an address and a token without scrolling them.
    setMinimumWidth(fontMetrics().averageCharWidth() * 70);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_address->setObjectName(QStringLiteral("addressEdit"));
    m_link->setObjectName(QStringLiteral("linkEdit"));
    m_link->setPlaceholderText(QCoreApplication::translate("mw", "the whole answer"));
    form->addRow(QCoreApplication::translate("mw", "Name:"), m_name);
    form->addRow(QCoreApplication::translate("mw", "Address:"), m_address);

    const QList<std::tuple<SecretField, QString, const QList<NamedValue> *>> groups{
            {SecretField::Header, QCoreApplication::translate("mw", "Header %1:"), &destination.headers},
            {SecretField::Argument, QCoreApplication::translate("mw", "Form field %1:"), &destination.arguments},
            {SecretField::Parameter, QCoreApplication::translate("mw", "Parameter %1:"), &destination.parameters}};
    for (const auto &[field, label, values] : groups) {
        for (const NamedValue &value : *values) {
            const bool secret = looksSecret(field, value.name);
            auto *edit = new QLineEdit(this);
            edit->setObjectName(QStringLiteral("value:") + value.name);
            if (secret) {
                edit->setEchoMode(QLineEdit::Password);
                const bool missing = std::any_of(destination.missingSecrets.cbegin(), destination.missingSecrets.cend(),
                                                 [&](const QString &m) { return m.endsWith(QLatin1String(": ") + value.name); });
                if (missing)
                    edit->setPlaceholderText(QCoreApplication::translate("mw", "not available: type it again"));
                else if (!value.value.isEmpty())
                    edit->setPlaceholderText(QCoreApplication::translate("mw", "unchanged"));
            } else {
                edit->setText(value.value);
            }
            form->addRow(label.arg(value.name), edit);
            m_values.append({{field, value.name}, secret, edit});
        }
    }
    form->addRow(QCoreApplication::translate("mw", "Link:"), m_link);
    layout->addLayout(form);

    m_problem->setObjectName(QStringLiteral("problemLabel"));
    m_problem->setWordWrap(true);
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->hide();
    layout->addWidget(m_problem);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DestinationEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

Destination DestinationEditor::destination() const
{
    Destination d = m_original;
    d.name = cleanName(m_name->text());
    d.requestUrl = m_address->text().trimmed();
    d.url = m_link->text().trimmed();
    for (const ValueEdit &value : m_values) {
        if (value.secret && value.edit->text().isEmpty())
            continue; // left as it was
        setValue(d, value.ref, value.edit->text());
    }
    // A secret typed again replaces the one the keyring could not give.
    QStringList stillMissing;
    for (const QString &missing : std::as_const(d.missingSecrets)) {
        bool given = false;
        for (const ValueEdit &value : m_values)
            given |= value.secret && !value.edit->text().isEmpty() && missing.endsWith(QLatin1String(": ") + value.ref.name);
        if (!given)
            stillMissing.append(missing);
    }
    d.missingSecrets = stillMissing;
    return d;
}

void DestinationEditor::accept()
{
    const Destination d = destination();
    SxcuRefusal refusal = validateDestination(d);
    QString problem = sxcuRefusalText(refusal);
    if (refusal.kind == SxcuRefusal::None && d.name.isEmpty())
        problem = QCoreApplication::translate("mw", "A destination needs a name.");
    if (!problem.isEmpty()) {
        m_problem->setText(problem);
        m_problem->show();
        return;
    }
    QDialog::accept();
}

} // namespace tarvello

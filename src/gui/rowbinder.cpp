#include "gui/rowbinder.h"

#include <QCoreApplication>
#include <QStyle>
#include <QTableWidget>

#include "base/imgobj.h"
#include "base/uploadqueue.h"
#include "gui/destinationtexts.h"
#include "gui/progressdelegate.h"
#include "gui/texts.h"

namespace tarvello {

RowBinder::RowBinder(QTableWidget *table)
    : m_table(table)
{
}

void RowBinder::insert(int row)
{
    m_table->insertRow(row);
    for (int column : {FileColumn, StatusColumn, DescColumn})
        m_table->setItem(row, column, new QTableWidgetItem);
}

void RowBinder::bind(int row, const imgobj &entry, const EntryRecord &record)
{
    const QStyle *style = m_table->style();
    const QString problem = fileProblemText(record.problem);
    const QSize large = record.tooLargeToPreview;
    QStringList notes;
    if (record.damage != ImageDamage::None) {
        notes.append(imageDamageText(record.damage));
        if (problem.isEmpty())
            notes.append(QCoreApplication::translate("mw", "What can be read of it is shown; it can still be uploaded as it is."));
    }
    if (large.isValid()) {
        notes.append(QCoreApplication::translate("mw", "Too large to preview (%1 × %2 pixels); it can still be uploaded as it is.")
                             .arg(large.width())
                             .arg(large.height()));
    }
    const QString note = notes.join(QLatin1Char('\n'));

    // While an edit is written the row says so; otherwise a file that cannot be used does.
    QTableWidgetItem *name = m_table->item(row, FileColumn);
    name->setText(record.name);
    const QString told = !problem.isEmpty() && !note.isEmpty() ? problem + QLatin1Char('\n') + note
            : !problem.isEmpty()                               ? problem
                                                               : note;
    name->setToolTip(told.isEmpty() ? entry.file : entry.file + QLatin1Char('\n') + told);
    // Heard, the reason comes first: the path is long and the same for a whole folder.
    name->setData(Qt::AccessibleDescriptionRole, told.isEmpty() ? entry.file : told + QLatin1Char('\n') + entry.file);
    const QStyle::StandardPixmap icon = record.saving()   ? QStyle::SP_DialogSaveButton
            : !problem.isEmpty() || record.damage != ImageDamage::None ? QStyle::SP_MessageBoxWarning
                                                          : QStyle::SP_MessageBoxInformation;
    name->setData(Qt::DecorationRole, record.saving() || !told.isEmpty() ? QVariant(style->standardIcon(icon)) : QVariant());

    QTableWidgetItem *status = m_table->item(row, StatusColumn);
    const bool handled = entry.state == EntryState::Handled;
    switch (entry.state) {
    case EntryState::Waiting:
        status->setText(QCoreApplication::translate("mw", "Click"));
        break;
    case EntryState::Uploading:
        status->setText(uploadingText(record.progress));
        break;
    default:
        status->setText(resultText(record.result));
        break;
    }
    QString details = handled ? failureDetails(record.result, record.problem) : QString();
    // Where it went: a failure is read differently for each host.
    if (entry.state != EntryState::Waiting) {
        details += (details.isEmpty() ? QString() : QStringLiteral("\n"))
                + QCoreApplication::translate("mw", "Destination: %1").arg(destinationTitle(record.destination));
    }
    // A narrow column cuts the longer uploading words ("waiting for the host") short.
    status->setToolTip(entry.state == EntryState::Uploading ? status->text() + QLatin1Char('\n') + details : details);
    const bool failed = handled && !record.result.linked();
    // What a screen reader says of the cell: the state and what Enter does there, for a failure
    // its first reason; the visible text alone ("Click") would say neither.
    QString heard;
    QString heardDetails = details;
    if (entry.state == EntryState::Waiting && !problem.isEmpty()) {
        heard = QCoreApplication::translate("mw", "Cannot be used");
        heardDetails = problem;
    } else if (entry.state == EntryState::Waiting) {
        heard = QCoreApplication::translate("mw", "Waiting; Enter uploads it");
    } else if (failed) {
        heard = QCoreApplication::translate("mw", "Upload failed: %1").arg(details.section(QLatin1Char('\n'), 0, 0));
        heardDetails += QLatin1Char('\n') + QCoreApplication::translate("mw", "Ctrl+R sends every failed row again; the row's menu (Menu key) has Upload again.");
    } else if (entry.state == EntryState::Uploading && record.progress >= 0.0 && record.progress < 1.0) {
        // As it is drawn: the words and the share sent.
        heard = status->text() + QLatin1Char(' ') + ProgressDelegate::percentText(record.progress);
    } else if (handled) {
        heard = QCoreApplication::translate("mw", "Uploaded: %1").arg(status->text());
        heardDetails += QLatin1Char('\n') + QCoreApplication::translate("mw", "A double click opens the link; Ctrl+C copies it.");
    }
    status->setData(Qt::AccessibleTextRole, heard.isEmpty() ? QVariant() : QVariant(heard));
    status->setData(Qt::AccessibleDescriptionRole, heardDetails);
    status->setData(Qt::DecorationRole, failed ? QVariant(style->standardIcon(QStyle::SP_MessageBoxWarning)) : QVariant());
    status->setData(Qt::ForegroundRole, failed ? QVariant(QBrush(errorColour(m_table->palette()))) : QVariant());
    status->setData(UploadProgressRole, record.progress >= 0.0 ? QVariant(record.progress) : QVariant());

    // The invitation stands until a description is given, even an empty one, or the entry is
    // handled and can no longer take one.
    const bool invite = !record.described && !handled;
    QTableWidgetItem *desc = m_table->item(row, DescColumn);
    desc->setText(invite ? QCoreApplication::translate("mw", "Click to add") : entry.desc);
    const QString given = entry.desc.isEmpty() ? QCoreApplication::translate("mw", "No description") : entry.desc;
    desc->setData(Qt::AccessibleTextRole,
                  entry.state != EntryState::Waiting ? given
                  : entry.desc.isEmpty() ? QCoreApplication::translate("mw", "No description; Enter adds one")
                                         : QCoreApplication::translate("mw", "%1; Enter changes it").arg(entry.desc));
    m_table->setRowHidden(row, record.removed);
}

} // namespace tarvello

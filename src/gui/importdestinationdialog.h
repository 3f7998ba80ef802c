#pragma once

#include <QDialog>

#include "base/destination.h"

class QTreeWidget;

namespace tarvello {

// Asks before an import takes effect: what the destination is called, where it sends, and what
// it sends besides the image (headers by name, secret values hidden, form fields, address
// parameters). Accepted is Import.
class ImportDestinationDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImportDestinationDialog)

public:
    // `replaces`: a destination of that name exists and will be replaced.
    ImportDestinationDialog(const Destination &destination, bool replaces, QWidget *parent = nullptr);

    // The value shown for a secret.
    static QString hiddenText();

private:
    QTreeWidget *m_sent;
};

} // namespace tarvello

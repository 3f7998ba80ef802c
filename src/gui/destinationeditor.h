#pragma once

#include <QDialog>
#include <QList>

#include "base/destination.h"

class QLabel;
class QLineEdit;

namespace tarvello {

// Edits what users change in a destination: its name, its address, the value of each header,
// form field and parameter (a new token, say), and where the link is read from. Secret values
// are not shown: left empty, they stay as they were. OK is only taken for a destination that
// can be used; otherwise the dialog says why and stays.
class DestinationEditor : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DestinationEditor)

public:
    explicit DestinationEditor(const Destination &destination, QWidget *parent = nullptr);

    Destination destination() const;
    void accept() override;

private:
    struct ValueEdit
    {
        SecretRef ref;
        bool secret;
        QLineEdit *edit;
    };

    Destination m_original;
    QLineEdit *m_name;
    QLineEdit *m_address;
    QLineEdit *m_link;
    QList<ValueEdit> m_values;
    QLabel *m_problem;
};

} // namespace tarvello

#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace tarvello {

class DestinationStore;

// Lists the destinations, the built-in one first, and edits, exports and removes the custom
// ones; says where their secrets are kept. Changes go through the store, and the list follows it.
class DestinationsDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DestinationsDialog)

public:
    explicit DestinationsDialog(DestinationStore *store, QWidget *parent = nullptr);

    // The name of the selected custom destination; empty for the built-in one or none.
    QString selectedName() const;

private:
    void refill();
    void updateButtons();
    void editSelected();
    void exportSelected();
    void removeSelected();

    DestinationStore *m_store;
    QListWidget *m_list;
    QPushButton *m_edit;
    QPushButton *m_export;
    QPushButton *m_remove;
    QLabel *m_secrets;
    QLabel *m_message;
};

} // namespace tarvello

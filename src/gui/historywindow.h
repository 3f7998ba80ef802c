#pragma once

#include <QList>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "base/linkformat.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;

namespace tarvello {

class HistoryModel;
class HistoryStore;

// The upload history in a window of its own: newest first, with thumbnails and a search; copy
// a link in any format, open it, open its deletion link (after asking), upload the file again,
// remove entries or clear it all (after asking).
class HistoryWindow : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryWindow)

public:
    // The history window of `parent`, made the first time (then `*created` is set), shown,
    // raised and activated. It lives as long as its parent; closing it only hides it.
    static HistoryWindow *showFor(QWidget *parent, HistoryStore *store, bool *created = nullptr);

    explicit HistoryWindow(HistoryStore *store, QWidget *parent = nullptr);

    HistoryModel *model() const { return m_model; }
    // The line under the table, for tests.
    QString statusText() const;

signals:
    // "Upload again" for a file that still exists, with the description it had.
    void uploadAgain(const QString &path, const QString &description);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QList<int> selectedRows() const;
    int currentRow() const;
    void copy(LinkFormat format);
    void openLink();
    void openDeletionLink();
    void uploadSelectedAgain();
    void removeSelected();
    void clearAll();
    void escape();
    void updateActions();
    void updateStatus();
    void say(const QString &notice);

    HistoryStore *m_store;
    HistoryModel *m_model;
    QLineEdit *m_search;
    QTableView *m_table;
    QLabel *m_status;
    QMenu *m_formats;
    QAction *m_copy;
    QAction *m_open;
    QAction *m_openDeletion;
    QAction *m_again;
    QAction *m_remove;
    QAction *m_clear;
    QTimer m_searchDelay;
    QString m_notice;
};

} // namespace tarvello

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QProgressDialog;
class QTimer;
class QWidget;
class drop;

// Shows how a long drop goes. When the folders of a drop take longer than about half a second
// to walk, a progress dialog counts the images added, with a Cancel button; after Cancel, the
// rest of the drop is not added, and what was added stays.
class DropProgress : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DropProgress)

public:
    DropProgress(drop *target, QWidget *dialogParent);

    // Told after each file of a drop has been added.
    void added();

    static constexpr int showAfterMs = 500;
    // Tests shorten the wait to reach the dialog without a slow folder.
    void setShowAfter(int ms);
    // Decides, when it fires, whether the dialog is shown.
    QTimer *showTimer() const { return m_showTimer; }

private:
    void walkStarted();
    void walkFinished();
    void showDialog();

    drop *m_target;
    QWidget *m_dialogParent;
    QPointer<QProgressDialog> m_dialog;
    QTimer *m_showTimer;
    int m_count = 0;
    bool m_counting = false;
};

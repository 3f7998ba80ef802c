#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QProgressDialog;
class QWidget;

// Watches drops on a target. While one drop is being handled, it counts the files added; when
// the drop takes longer than about half a second it shows a progress dialog with the count and
// a Cancel button. After Cancel, the rest of that drop is not added; what was added stays.
class DropProgress : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DropProgress)

public:
    DropProgress(QWidget *target, QWidget *dialogParent);

    // Asked before each file of a drop is added: false once the user has cancelled this drop.
    bool wanted() const;
    // Told after each file of a drop has been added.
    void added();

    static constexpr int showAfterMs = 500;
    // Adding is quick now that nothing is decoded; only the walk of a slow folder takes long.
    // Tests shorten the wait to reach the dialog without such a folder.
    void setShowAfter(int ms) { m_showAfterMs = ms; }
    static constexpr int eventsEveryMs = 20;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_target;
    QWidget *m_dialogParent;
    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_clock;
    bool m_inDrop = false;
    int m_count = 0;
    int m_showAfterMs = showAfterMs;
    qint64 m_eventsAt = 0;
};

#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLabel;
class QTimer;

namespace tarvello {

// The line under the table: the queue's summary, or for a while a short message that would
// otherwise go unsaid. A long text is cut to the line's width and shown whole on hovering.
class StatusLine : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusLine)

public:
    // `summary` gives the queue's summary as it is now.
    StatusLine(QLabel *line, std::function<QString()> summary, QObject *parent = nullptr);

    void notify(const QString &text);
    // The notice shown is over before its time (a countdown that ended): the summary comes back.
    void withdraw();
    // The queue changed: its summary is worked out again once per pass of the event loop, and
    // replaces a notice once the queue is no longer what the notice stood over.
    void queueChanged();
    const QString &lastNotice() const { return m_lastNotice; }

    static constexpr int noticeMs = 5000;

private:
    void showSummary();
    void setText(const QString &text);

    QLabel *m_line;
    std::function<QString()> m_summaryOf;
    QTimer *m_noticeTimer;
    QString m_lastNotice;
    QString m_summary; // the summary the notice stands over
    QString m_text;    // the line's whole text, shown cut to its width
    bool m_summaryPending = false;
};

} // namespace tarvello

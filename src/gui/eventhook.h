#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

// Calls `hook` for every event of the object it watches; the hook returns true to take the
// event. It lives as long as the watched object.
class EventHook : public QObject
{
public:
    EventHook(QObject *watched, std::function<bool(QEvent *)> hook)
        : QObject(watched)
        , m_hook(std::move(hook))
    {
        watched->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        return watched == parent() && m_hook(event);
    }

private:
    std::function<bool(QEvent *)> m_hook;
};

// Short messages to the user.

#include "gui/mw.h"

#include <QDebug>

void mw::notify(const QString &text)
{
    m_lastNotice = text;
    qInfo().noquote() << text;
}

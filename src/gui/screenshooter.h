#pragma once

#include <QImage>
#include <QObject>

#include <memory>

class QWidget;

namespace tarvello {

class ReservedPng;

// Takes a screenshot of the whole desktop the way the desktop allows: Qt's own grab, a grab of
// the X11 root window with the window stepped aside, or the desktop portal. The file is named at
// the press, so the name tells when the button was pressed however long the desktop takes.
class Screenshooter : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Screenshooter)

public:
    enum class Failure {
        NotSaved,  // no temporary file could be made
        NotRead,   // the portal's picture could not be read or saved
        Refused,   // the desktop could not take it
        NoPortal,  // the desktop offers no screenshot portal
        NoAnswer,  // the portal did not answer in time
    };
    Q_ENUM(Failure)

    // `window` steps aside for the grab and is the portal dialog's parent.
    explicit Screenshooter(QWidget *window);

    bool isBusy() const { return m_busy; }
    // Does nothing while a screenshot is under way.
    void take();

signals:
    // The picture and its PNG: still to be written, or (from the portal) written already.
    void taken(const std::shared_ptr<tarvello::ReservedPng> &file, const QImage &picture);
    void failed(tarvello::Screenshooter::Failure failure);
    // Cancelled in the portal's dialog: nothing is added and nothing is said.
    void cancelled();

private:
    void grabWithoutWindow(const std::shared_ptr<ReservedPng> &file);
    void shootThroughPortal(const std::shared_ptr<ReservedPng> &file);
    void finish(const std::shared_ptr<ReservedPng> &file, const QImage &picture);

    QWidget *m_window;
    bool m_busy = false;
};

} // namespace tarvello

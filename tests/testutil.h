#pragma once

#include <QApplication>
#include <QByteArray>
#include <QColor>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

class QMimeData;

namespace testutil {

// Writes a w x h image filled with one colour and returns its path.
inline QString writeImage(const QString &path, int w, int h, QColor color = Qt::red,
                          const char *format = nullptr)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(color);
    image.save(path, format);
    return path;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Changes the working directory for as long as it lives.
class CurrentDir
{
public:
    explicit CurrentDir(const QString &path)
        : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~CurrentDir() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

// Answers the next modal dialog from inside its own event loop. The returned timer polls until
// a dialog shows; delete it to stop waiting for one that should not come.
inline QTimer *whenModal(std::function<void(QWidget *)> answer)
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start();
    return timer;
}

// Stops a whenModal() that is still waiting when it goes out of scope.
class ModalWatch
{
public:
    explicit ModalWatch(QTimer *timer) : m_timer(timer) {}
    ~ModalWatch() { delete m_timer; }
    ModalWatch(const ModalWatch &) = delete;
    ModalWatch &operator=(const ModalWatch &) = delete;

private:
    QPointer<QTimer> m_timer; // gone once the dialog was answered
};

// Types `text` into the next modal text dialog and accepts it, or cancels it.
inline void whenTextDialog(const QString &text, bool accept = true)
{
    whenModal([text, accept](QWidget *modal) {
        auto *dialog = qobject_cast<QDialog *>(modal);
        if (QLineEdit *edit = dialog->findChild<QLineEdit *>())
            edit->setText(text);
        accept ? dialog->accept() : dialog->reject();
    });
}

// The data compressed by zlib: windowBits 15 + 16 gives gzip, 15 zlib-wrapped deflate, -15 bare.
QByteArray deflated(const QByteArray &data, int windowBits);

// What a drag from the file manager ends in: enter, then drop. Returns whether the drop was taken.
bool sendDrop(QWidget *target, QMimeData *data);

} // namespace testutil

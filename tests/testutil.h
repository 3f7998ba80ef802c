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
#include <QTableWidget>
#include <QTimer>
#include <QWidget>

#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

#include "base/uploader.h"
#include "base/uploadqueue.h"

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

// Answers the next modal dialog from inside its own event loop, for as long as it lives. When it
// goes out of scope it fails the test if an expected dialog never came, or if one came that was
// not expected (which it still answers, so the test cannot hang on it).
class [[nodiscard]] ModalAnswer
{
public:
    enum Expect { Expected, NotExpected };

    explicit ModalAnswer(std::function<void(QWidget *)> answer, Expect expect = Expected)
        : m_expect(expect)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this, answer] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                m_timer.stop();
                m_answered = true;
                answer(modal);
            }
        });
        m_timer.start();
    }
    ~ModalAnswer()
    {
        m_timer.stop();
        if (m_answered != (m_expect == Expected))
            QTest::qFail(m_answered ? "a dialog came that was not expected" : "the expected dialog never came",
                         __FILE__, __LINE__);
    }
    ModalAnswer(const ModalAnswer &) = delete;
    ModalAnswer &operator=(const ModalAnswer &) = delete;

    bool answered() const { return m_answered; }

private:
    QTimer m_timer;
    Expect m_expect;
    bool m_answered = false;
};

// Types `text` into the next modal text dialog and accepts it, or cancels it.
inline std::unique_ptr<ModalAnswer> whenTextDialog(const QString &text, bool accept = true)
{
    return std::make_unique<ModalAnswer>([text, accept](QWidget *modal) {
        auto *dialog = qobject_cast<QDialog *>(modal);
        if (QLineEdit *edit = dialog->findChild<QLineEdit *>())
            edit->setText(text);
        accept ? dialog->accept() : dialog->reject();
    });
}

// The window's uploader: a spy on its started() tells whether anything was sent, without a wait.
inline tarvello::Uploader *uploaderOf(QObject *window)
{
    return window->findChild<tarvello::Uploader *>();
}

// The window's queue.
inline tarvello::UploadQueue *queueOf(QObject *window)
{
    return window->findChild<tarvello::UploadQueue *>();
}

// No edit or added picture of the window is still being written.
inline bool savesDone(QWidget *window)
{
    const tarvello::UploadQueue *queue = queueOf(window);
    for (int row = 0; row < queue->entries().size(); ++row) {
        if (queue->record(row).saving())
            return false;
    }
    return true;
}

// A w x h JPEG, white with a red 4 x 4 block at the top left, whose EXIF orientation (6) says
// to turn it clockwise for showing.
QByteArray jpegTurnedByExif(int w, int h);

// The data compressed by zlib: windowBits 15 + 16 gives gzip, 15 zlib-wrapped deflate, -15 bare.
QByteArray deflated(const QByteArray &data, int windowBits);

// What a drag from the file manager ends in: enter, then drop. Returns whether the drop was taken.
bool sendDrop(QWidget *target, QMimeData *data);

} // namespace testutil

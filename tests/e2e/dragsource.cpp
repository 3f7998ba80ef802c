// A window that drags files as a file manager does, for the end-to-end tests: a press and a move
// in it start the drag of the files named on its command line.
// usage: dragsource FILE...

#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace {

class DragSource : public QLabel
{
public:
    explicit DragSource(const QList<QUrl> &urls)
        : QLabel(QStringLiteral("drag me"))
        , m_urls(urls)
    {
        setWindowTitle(QStringLiteral("dragsource"));
        setAlignment(Qt::AlignCenter);
        resize(200, 120);
    }

protected:
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (!(event->buttons() & Qt::LeftButton))
            return;
        auto *drag = new QDrag(this);
        auto *data = new QMimeData;
        data->setUrls(m_urls);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

private:
    QList<QUrl> m_urls;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (const QString &file : QApplication::arguments().mid(1))
        urls.append(QUrl::fromLocalFile(file));
    DragSource source(urls);
    source.show();
    return app.exec();
}

#pragma once

#include <QObject>
#include <QString>

class QAction;
class QComboBox;
class QWidget;

namespace tarvello {

class DestinationStore;
struct Destination;

// The window's choice of where uploads go: a compact list near Upload All that shows the chosen
// destination and changes it, and the ways to bring in a custom-uploader file (the menu, a drop, a
// double-click in the file manager) and to manage the destinations kept. An import shows what it
// will do and asks first; the destination imported becomes the chosen one.
class DestinationChooser : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DestinationChooser)

public:
    DestinationChooser(DestinationStore *store, QComboBox *box, QWidget *window);

    QAction *importAction() const { return m_import; }
    QAction *manageAction() const { return m_manage; }

    // Asks, then imports the custom-uploader file at `path`; a file that cannot be one says why.
    void importFile(const QString &path);

    // Whether a file of this name is one to import rather than to upload.
    static bool isCustomUploaderFile(const QString &path);

signals:
    // Something to say on the window's status line.
    void notice(const QString &text);
    // The chosen destination changed: the built-in host, or a custom one.
    void chosen(bool builtIn);

private:
    void refill();
    void pickFile();

    DestinationStore *m_store;
    QComboBox *m_box;
    QWidget *m_window;
    QAction *m_import;
    QAction *m_manage;
    QString m_importing; // the name an import asked for, to choose once it is kept
};

} // namespace tarvello

#include "gui/historywindow.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QShowEvent>
#include <QTableView>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "base/history.h"
#include "gui/historymodel.h"
#include "gui/historytexts.h"

namespace tarvello {

namespace {

QUrl webLink(const QString &link)
{
    const QUrl url(link, QUrl::StrictMode);
    const bool web = url.isValid() && !url.host().isEmpty()
            && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
    return web ? url : QUrl();
}

QToolButton *button(QAction *action, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setObjectName(action->objectName() + QStringLiteral("Button"));
    button->setAccessibleName(action->text().remove(QStringLiteral("...")));
    return button;
}

} // namespace

HistoryWindow *HistoryWindow::showFor(QWidget *parent, HistoryStore *store, bool *created)
{
    HistoryWindow *window =
            parent ? parent->findChild<HistoryWindow *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (created)
        *created = window == nullptr;
    if (!window)
        window = new HistoryWindow(store, parent);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

HistoryWindow::HistoryWindow(HistoryStore *store, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_store(store)
    , m_model(new HistoryModel(store, this))
    , m_search(new QLineEdit(this))
    , m_table(new QTableView(this))
    , m_status(new QLabel(this))
    , m_formats(new QMenu(this))
{
    setWindowTitle(QCoreApplication::translate("mw", "Upload history"));
    resize(900, 560);

    m_search->setObjectName(QStringLiteral("historySearch"));
    m_search->setPlaceholderText(QCoreApplication::translate("mw", "Search file name, link, description, destination or date (2026-12-07)"));
    m_search->setAccessibleName(QCoreApplication::translate("mw", "Search the upload history"));
    m_search->setClearButtonEnabled(true);

    m_table->setObjectName(QStringLiteral("historyTable"));
    m_table->setAccessibleName(QCoreApplication::translate("mw", "Upload history"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setIconSize(QSize(64, 64));
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(68);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(HistoryModel::FileColumn, 260);
    m_table->setColumnWidth(HistoryModel::TimeColumn, 130);
    m_table->setColumnWidth(HistoryModel::DestinationColumn, 120);
    m_table->setColumnWidth(HistoryModel::LinkColumn, 240);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);

    m_status->setObjectName(QStringLiteral("historyStatus"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const auto action = [this](const QString &name, const QString &text, QKeySequence keys = QKeySequence()) {
        auto *action = new QAction(text, this);
        action->setObjectName(name);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        return action;
    };
    m_copy = action(QStringLiteral("historyCopy"), QCoreApplication::translate("mw", "Copy link"), QKeySequence::Copy);
    m_open = action(QStringLiteral("historyOpen"), QCoreApplication::translate("mw", "Open link"));
    m_openDeletion = action(QStringLiteral("historyOpenDeletion"), QCoreApplication::translate("mw", "Open deletion link..."));
    m_again = action(QStringLiteral("historyUploadAgain"), QCoreApplication::translate("mw", "Upload again"));
    m_remove = action(QStringLiteral("historyRemove"), QCoreApplication::translate("mw", "Remove"), QKeySequence::Delete);
    m_clear = action(QStringLiteral("historyClear"), QCoreApplication::translate("mw", "Clear all..."));
    connect(m_copy, &QAction::triggered, this, [this] { copy(LinkFormat::Plain); });
    connect(m_open, &QAction::triggered, this, &HistoryWindow::openLink);
    connect(m_openDeletion, &QAction::triggered, this, &HistoryWindow::openDeletionLink);
    connect(m_again, &QAction::triggered, this, &HistoryWindow::uploadSelectedAgain);
    connect(m_remove, &QAction::triggered, this, &HistoryWindow::removeSelected);
    connect(m_clear, &QAction::triggered, this, &HistoryWindow::clearAll);

    m_formats->setObjectName(QStringLiteral("historyFormats"));
    m_formats->setTitle(QCoreApplication::translate("mw", "Copy as"));
    for (const LinkFormat format : {LinkFormat::Plain, LinkFormat::Markdown, LinkFormat::Html, LinkFormat::BBCode,
                                    LinkFormat::MarkdownThumbnail, LinkFormat::HtmlThumbnail,
                                    LinkFormat::BBCodeThumbnail}) {
        QAction *entry = m_formats->addAction(linkFormatName(format));
        connect(entry, &QAction::triggered, this, [this, format] { copy(format); });
    }

    auto *copyButton = button(m_copy, this);
    copyButton->setMenu(m_formats);
    copyButton->setPopupMode(QToolButton::MenuButtonPopup);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(copyButton);
    for (QAction *entry : {m_open, m_openDeletion, m_again, m_remove})
        buttons->addWidget(button(entry, this));
    buttons->addStretch();
    buttons->addWidget(button(m_clear, this));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_search);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    // A search per key would answer for words nobody finished typing.
    m_searchDelay.setSingleShot(true);
    m_searchDelay.setInterval(150);
    connect(m_search, &QLineEdit::textChanged, &m_searchDelay, qOverload<>(&QTimer::start));
    connect(&m_searchDelay, &QTimer::timeout, this, [this] {
        m_notice.clear();
        m_model->setSearch(m_search->text());
    });
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        m_searchDelay.stop();
        m_model->setSearch(m_search->text());
    });

    connect(m_table, &QTableView::activated, this, &HistoryWindow::openLink);
    connect(m_table, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (!m_table->indexAt(at).isValid())
            return;
        QMenu menu(this);
        menu.addAction(m_copy);
        menu.addMenu(m_formats);
        menu.addSeparator();
        menu.addActions({m_open, m_openDeletion, m_again});
        menu.addSeparator();
        menu.addAction(m_remove);
        menu.exec(m_table->viewport()->mapToGlobal(at));
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &HistoryWindow::updateActions);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this, &HistoryWindow::updateActions);
    connect(m_model, &QAbstractItemModel::modelReset, this, &HistoryWindow::updateActions);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &HistoryWindow::updateStatus);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &HistoryWindow::updateActions);
    connect(m_store, &HistoryStore::faulted, this, &HistoryWindow::updateStatus);
    connect(m_store, &HistoryStore::opened, this, &HistoryWindow::updateStatus);

    auto *escape = new QShortcut(QKeySequence::Cancel, this);
    connect(escape, &QShortcut::activated, this, &HistoryWindow::escape);
    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });

    setTabOrder(m_search, m_table);
    updateActions();
}

QString HistoryWindow::statusText() const
{
    return m_status->text();
}

void HistoryWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Another program may have recorded uploads since the window was last open.
    if (!event->spontaneous()) {
        m_notice.clear();
        m_model->reload();
        m_search->setFocus(Qt::OtherFocusReason);
    }
}

QList<int> HistoryWindow::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int HistoryWindow::currentRow() const
{
    const QModelIndex current = m_table->currentIndex();
    if (current.isValid() && m_table->selectionModel()->isRowSelected(current.row(), QModelIndex()))
        return current.row();
    const QList<int> rows = selectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

void HistoryWindow::copy(LinkFormat format)
{
    QStringList texts;
    for (const int row : selectedRows()) {
        const HistoryRecord &record = m_model->record(row);
        if (!record.hasLink())
            continue;
        const QString text = formatLink(format, {record.link, record.thumbnailLink, record.description, record.fileName});
        if (!text.isEmpty())
            texts.append(text);
    }
    if (texts.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(texts.join(QLatin1Char('\n')));
    say(QCoreApplication::translate("mw", "%n link(s) copied.", nullptr, int(texts.size())));
}

void HistoryWindow::openLink()
{
    const int row = currentRow();
    if (row < 0)
        return;
    const QUrl url = webLink(m_model->record(row).link);
    if (url.isValid() && m_model->record(row).hasLink())
        QDesktopServices::openUrl(url);
}

void HistoryWindow::openDeletionLink()
{
    const int row = currentRow();
    if (row < 0)
        return;
    const HistoryRecord record = m_model->record(row);
    const QUrl url = webLink(record.deletionLink);
    if (!url.isValid())
        return;
    QMessageBox ask(QMessageBox::Question, QCoreApplication::translate("mw", "Open deletion link"),
                    QCoreApplication::translate("mw", "Open the deletion link of %1? The host deletes the image when the link is opened.")
                            .arg(record.fileName),
                    QMessageBox::Yes | QMessageBox::No, this);
    ask.setDefaultButton(QMessageBox::No);
    if (ask.exec() == QMessageBox::Yes)
        QDesktopServices::openUrl(url);
}

void HistoryWindow::uploadSelectedAgain()
{
    bool missing = false;
    for (const int row : selectedRows()) {
        const HistoryRecord &record = m_model->record(row);
        if (QFileInfo(record.filePath).isFile())
            emit uploadAgain(record.filePath, record.description);
        else
            missing = true;
    }
    if (missing)
        say(QCoreApplication::translate("mw", "The file is no longer there."));
}

void HistoryWindow::removeSelected()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    const int next = rows.first();
    m_model->removeRecords(rows);
    if (m_model->rowCount() > 0)
        m_table->selectRow(qMin(next, m_model->rowCount() - 1));
    say(QCoreApplication::translate("mw", "%n entries removed.", nullptr, int(rows.size())));
}

void HistoryWindow::clearAll()
{
    QMessageBox ask(QMessageBox::Question, QCoreApplication::translate("mw", "Clear the upload history"),
                    QCoreApplication::translate("mw", "Forget every upload in the history? The images stay on their hosts, but their links "
                       "and deletion links are gone from this computer."),
                    QMessageBox::Yes | QMessageBox::No, this);
    ask.setDefaultButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes)
        return;
    m_model->clearAll();
    say(QString());
}

void HistoryWindow::escape()
{
    if (!m_search->text().isEmpty())
        m_search->clear();
    else
        close();
}

void HistoryWindow::updateActions()
{
    const QList<int> rows = selectedRows();
    const int row = currentRow();
    const bool anyLink = std::any_of(rows.begin(), rows.end(), [this](int r) { return m_model->record(r).hasLink(); });
    m_copy->setEnabled(anyLink);
    m_formats->setEnabled(anyLink);
    m_open->setEnabled(row >= 0 && m_model->record(row).hasLink());
    m_openDeletion->setEnabled(row >= 0 && webLink(m_model->record(row).deletionLink).isValid());
    m_again->setEnabled(std::any_of(rows.begin(), rows.end(),
                                    [this](int r) { return QFileInfo(m_model->record(r).filePath).isFile(); }));
    m_remove->setEnabled(!rows.isEmpty());
    m_clear->setEnabled(m_store->isOpen());
    updateStatus();
}

void HistoryWindow::updateStatus()
{
    QString text;
    if (m_store->fault() != HistoryFault::None && (!m_store->isAvailable() || !m_store->isOpen()
                                                   || m_store->fault() == HistoryFault::Corrupt))
        text = historyFaultText(m_store->fault(), m_store->path(), m_store->faultDetail());
    else if (!m_notice.isEmpty())
        text = m_notice;
    else if (!m_store->isOpen())
        text = QCoreApplication::translate("mw", "Opening the upload history...");
    else if (m_model->rowCount() == 0)
        text = m_model->search().trimmed().isEmpty() ? QCoreApplication::translate("mw", "No uploads yet.")
                                                     : QCoreApplication::translate("mw", "Nothing found for %1.").arg(m_model->search().trimmed());
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
}

void HistoryWindow::say(const QString &notice)
{
    m_notice = notice;
    updateStatus();
}

} // namespace tarvello

// The window on the desktop: its size on small screens, the 2x banner, and the size, place and
// choices kept between runs.

#include "gui/mw.h"

#include <QAction>
#include <QBoxLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QIcon>
#include <QScreen>

#include "base/preferences.h"
#include "gui/mwui.h"

using namespace tarvello;

namespace {

// Room for the title bar and frame a window manager adds around the window.
constexpr int frameAllowance = 40;

} // namespace

void mw::setUpForDesktop()
{
    // A short screen still shows two rows of the queue; the rest of the window does not shrink.
    QTableWidget *table = ui->tableWidget;
    table->setMinimumHeight(table->horizontalHeader()->sizeHint().height()
                            + 2 * table->verticalHeader()->defaultSectionSize() + 2 * table->frameWidth());
    fitToScreen();

    // QIcon, unlike QPixmap, takes the @2x drawing on a scaled screen.
    const QPixmap banner = ui->label->pixmap();
    ui->label->setPixmap(QIcon(QStringLiteral(":/tarvello/zor.png")).pixmap(banner.size(), devicePixelRatioF()));
}

void mw::fitToScreen()
{
    const QScreen *screen = this->screen();
    if (!screen || minimumSizeHint().height() <= screen->availableGeometry().height() - frameAllowance)
        return;
    // An 800 x 600 screen, or a laptop's once its panel is counted: the form's spacing is kept
    // where it fits, and only a short screen gets this tighter one.
    for (QGridLayout *grid : findChildren<QGridLayout *>()) {
        const bool outer = grid == layout();
        grid->setSpacing(3);
        grid->setContentsMargins(6, outer ? 3 : 1, 6, outer ? 1 : 3);
        // The boxes' sizes are asked for before the window is shown and lays itself out.
        grid->parentWidget()->updateGeometry();
    }
    // The destination and the menu move onto the status line's row, after it, and the queue's
    // rows are as tall as their text needs.
    if (auto *row = qobject_cast<QBoxLayout *>(ui->gridLayout->itemAtPosition(2, 0)->layout())) {
        ui->gridLayout->removeWidget(ui->statusLine);
        row->insertWidget(0, ui->statusLine, 1);
    }
    QTableWidget *table = ui->tableWidget;
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->setMinimumHeight(table->horizontalHeader()->sizeHint().height()
                            + 2 * table->verticalHeader()->defaultSectionSize() + 2 * table->frameWidth());
}

void mw::rememberDesktopState()
{
    m_remembersDesktop = true;
    const DesktopPreferences preferences = readDesktopPreferences();
    ui->checkBox_2->setChecked(preferences.autoUpload);
    m_browseFolder = preferences.browseFolder;
    m_copyLinks->setChecked(preferences.copyLinks);
    if (!preferences.geometry.isEmpty() && restoreGeometry(preferences.geometry))
        return;
    if (const QScreen *screen = this->screen()) {
        const QSize available = screen->availableGeometry().size() - QSize(0, frameAllowance);
        resize(fittedSize(size(), minimumSizeHint(), available));
    }
}

void mw::saveDesktopState() const
{
    writeDesktopPreferences({saveGeometry(), ui->checkBox_2->isChecked(), m_browseFolder, m_copyLinks->isChecked()});
}

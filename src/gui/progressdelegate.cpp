#include "gui/progressdelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <cmath>

namespace tarvello {

ProgressDelegate::ProgressDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QString ProgressDelegate::percentText(double sent)
{
    // Rounded down, so 100% means all of it has gone.
    return QString::number(int(std::floor(qBound(0.0, sent, 1.0) * 100.0))) + QLatin1Char('%');
}

void ProgressDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QVariant progress = index.data(UploadProgressRole);
    if (!progress.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
            : (opt.state & QStyle::State_Active) ? QPalette::Normal : QPalette::Inactive;
    const bool selected = opt.state & QStyle::State_Selected;

    // The whole cell shows the selection, as a table draws it, so the bar has one background.
    opt.showDecorationSelected = true;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

    // The text's own colour on whatever the row's background is: a bar in the highlight colour
    // would vanish on a selected row, and so would one in a fixed colour in some palette.
    const QColor ink = opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    const QRect groove = opt.rect.adjusted(2, 2, -3, -3);
    QColor fill = selected ? ink : opt.palette.color(group, QPalette::Highlight);
    fill.setAlpha(selected ? 90 : 110);
    QRect done = groove.adjusted(1, 1, 0, 0);
    done.setWidth(qRound(done.width() * qBound(0.0, progress.toReal(), 1.0)));
    painter->save();
    painter->fillRect(done, fill);
    QColor edge = ink;
    edge.setAlpha(110);
    painter->setPen(edge);
    painter->drawRect(groove);

    // The number always shows in full; the words give way when the cell is narrow. Once all is
    // sent the full bar says so, and the words say what is awaited instead of a number.
    const QRect textRect = opt.rect.adjusted(6, 0, -6, 0);
    const QString percent = progress.toReal() < 1.0 ? percentText(progress.toReal()) : QString();
    const int percentWidth = opt.fontMetrics.horizontalAdvance(percent);
    const int gap = percent.isEmpty() ? 0 : opt.fontMetrics.horizontalAdvance(QLatin1Char(' '));
    QString words = opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, textRect.width() - percentWidth - gap);
    if (!words.isEmpty() && !percent.isEmpty())
        words += QLatin1Char(' ');
    painter->setFont(opt.font);
    painter->setPen(ink);
    painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, words + percent);
    painter->restore();

    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.backgroundColor = opt.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

} // namespace tarvello

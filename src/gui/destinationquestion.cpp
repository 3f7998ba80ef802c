#include "gui/destinationquestion.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

namespace tarvello {

Asker windowAsker(QWidget *parent)
{
    return [parent = QPointer<QWidget>(parent)](const Question &question) -> std::optional<QString> {
        bool ok = false;
        QString answer;
        if (question.kind == Question::Select) {
            answer = QInputDialog::getItem(parent, QCoreApplication::translate("mw", "Destination"),
                                           QCoreApplication::translate("mw", "Choose one:"), question.options, 0,
                                           false, &ok);
        } else {
            const QString title = question.title.isEmpty() ? QCoreApplication::translate("mw", "Destination")
                                                           : question.title;
            answer = QInputDialog::getText(parent, title, title, QLineEdit::Normal, question.defaultText, &ok);
        }
        if (!ok)
            return std::nullopt;
        return answer;
    };
}

} // namespace tarvello

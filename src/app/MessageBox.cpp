#include "app/MessageBox.h"

namespace {
QMessageBox::StandardButton g_nextAnswer = QMessageBox::NoButton;
QString g_lastText;
} // namespace

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    g_nextAnswer = answer;
}

QString MessageBox::lastText()
{
    return g_lastText;
}

QMessageBox::StandardButton MessageBox::ask(QWidget *parent,
                                            QMessageBox::Icon icon,
                                            const QString &title,
                                            const QString &text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton)
{
    g_lastText = text;
    if (g_nextAnswer != QMessageBox::NoButton) {
        const auto answer = g_nextAnswer;
        g_nextAnswer = QMessageBox::NoButton;
        return answer;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

QMessageBox::StandardButton MessageBox::warning(QWidget *parent,
                                                const QString &title,
                                                const QString &text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton)
{
    return ask(parent, QMessageBox::Warning, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton
MessageBox::information(QWidget *parent, const QString &title, const QString &text)
{
    return ask(parent, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton MessageBox::question(QWidget *parent,
                                                 const QString &title,
                                                 const QString &text,
                                                 QMessageBox::StandardButtons buttons)
{
    return ask(parent, QMessageBox::Question, title, text, buttons, QMessageBox::NoButton);
}

#include "core/Dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace k7t {

namespace {
QString shownTitle(const QString& title) { return title.isEmpty() ? Dialogs::applicationTitle() : title; }
}

void MessageBoxDialogs::message(MessageKind kind, const QString& text, const QString& title)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    if (kind == MessageKind::Information) icon = QMessageBox::Information;
    if (kind == MessageKind::Exclamation) icon = QMessageBox::Warning;
    QMessageBox box(icon, shownTitle(title), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool MessageBoxDialogs::ask(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, shownTitle(title), text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    return box.exec() == QMessageBox::Yes;
}

void ScriptedDialogs::message(MessageKind kind, const QString& text, const QString& title)
{
    boxes_.append({kind, text, shownTitle(title)});
    if (hook_) hook_(boxes_.last());
}

bool ScriptedDialogs::ask(const QString& text, const QString& title)
{
    boxes_.append({MessageKind::Question, text, shownTitle(title)});
    if (hook_) hook_(boxes_.last());
    return answers_.isEmpty() ? false : answers_.takeFirst();
}

QStringList ScriptedDialogs::texts() const
{
    QStringList t;
    for (const Box& b : boxes_) t << b.text;
    return t;
}

} // namespace k7t

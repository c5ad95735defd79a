#pragma once
// A program context for tests: a fresh embedded database file in a temporary folder,
// scripted dialogs, a set clock and a pinned workstation identity.
#include "core/AppContext.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

namespace k7t::test {

class TestApp {
public:
    TestApp();
    AppContext& app() { return *app_; }
    ScriptedDialogs& dialogs() { return *dialogs_; }
    QString dir() const { return dir_.path(); }
    QString databaseFile() const { return dir_.filePath("k7t.sqlite"); }

    // Runs statements straight on the database (no gateway), failing the test on error.
    void exec(const QString& statement);
    // The rows of a query, each row's values joined by "|".
    QStringList rows(const QString& query);
    QString value(const QString& query) { const auto r = rows(query); return r.isEmpty() ? QString() : r.first(); }

    void addOperator(const QString& name, const QString& id, const QString& password, const QString& mac = "NA");

private:
    QTemporaryDir dir_;
    ScriptedDialogs* dialogs_ = nullptr;
    std::unique_ptr<AppContext> app_;
};

// A control of a screen by its object name; fails the test when missing.
template <typename T>
T* control(QWidget* screen, const char* name);

} // namespace k7t::test

#include <QtTest/QTest>

template <typename T>
T* k7t::test::control(QWidget* screen, const char* name)
{
    T* w = screen->findChild<T*>(QString::fromLatin1(name));
    if (!w) qFatal("control %s not found", name);
    return w;
}

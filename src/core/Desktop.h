#pragma once
// The desktop around the program: the default web browser and external programs
// (the router tool). Tests switch it to recording instead of starting anything.
#include <QList>
#include <QStringList>
#include <QUrl>

namespace k7t {

class Desktop {
public:
    struct Started {
        QString program;
        QStringList arguments;
    };

    // Opens the address in the default web browser; false when none could be started.
    bool openUrl(const QUrl& url);
    // Starts a program with its command line and does not wait for it; false on failure.
    bool startProgram(const QString& program, const QStringList& arguments);

    // Recording mode: nothing is opened or started, every request is kept.
    void record() { recording_ = true; }
    // While recording: answer as a desktop that has no application for the request.
    void refuse(bool refusing) { refusing_ = refusing; }
    const QList<QUrl>& openedUrls() const { return urls_; }
    const QList<Started>& startedPrograms() const { return started_; }

private:
    bool recording_ = false;
    bool refusing_ = false;
    QList<QUrl> urls_;
    QList<Started> started_;
};

} // namespace k7t

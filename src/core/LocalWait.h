#pragma once
// Waiting on the user-interface thread. A wait runs a local event loop, so the window
// keeps serving its events, and it always ends by its time limit.
//
// While a wait runs, closing the window it belongs to is held back: the waits of that
// window end at once, and the window closes as soon as the action that waited has
// returned to the event loop. So a screen is never destroyed under an action that is
// still running.
#include <QEventLoop>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace k7t {

class LocalWait : public QObject {
    Q_OBJECT
public:
    enum class End { Done, TimeLimit, Closing };

    // `owner`: a widget of the window the wait belongs to (may be null).
    // `milliseconds`: the time limit. `flags`: ExcludeUserInputEvents for waits that
    // must block the operator's input while still painting the window.
    LocalWait(QWidget* owner, int milliseconds, QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
    ~LocalWait() override;

    // Serves events until finish(), the time limit, or the window closing.
    End exec();
    // Ends the wait as done; before exec() it makes exec() return at once.
    void finish();

    // True while a close of `owner`'s window is held back; new waits end at once then.
    static bool closing(const QWidget* owner);

private:
    friend class CloseHold;
    void interrupt();

    QList<QPointer<QWidget>> chain_; // owner and its ancestors
    int milliseconds_;
    QEventLoop::ProcessEventsFlags flags_;
    QEventLoop loop_;
    bool finished_ = false;
    bool interrupted_ = false;
};

// Serves events for `milliseconds`; false when the owner's window began to close.
bool pauseServingEvents(QWidget* owner, int milliseconds);

} // namespace k7t

#include "core/LocalWait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QThread>
#include <QTimer>

namespace k7t {

// Holds back the close of windows that have waits running and closes them later.
class CloseHold : public QObject {
public:
    static CloseHold& instance()
    {
        static QPointer<CloseHold> hold;
        if (!hold) hold = new CloseHold(QCoreApplication::instance());
        return *hold;
    }

    void enter(LocalWait* wait)
    {
        if (waits_.isEmpty()) baseLevel_ = QThread::currentThread()->loopLevel();
        waits_.append(wait);
        for (const QPointer<QWidget>& w : wait->chain_) {
            if (!w) continue;
            if (held_[w]++ == 0) {
                w->installEventFilter(this);
                connect(w, &QObject::destroyed, this, &CloseHold::forget, Qt::UniqueConnection);
            }
        }
    }

    void leave(LocalWait* wait)
    {
        waits_.removeOne(wait);
        for (const QPointer<QWidget>& w : wait->chain_) {
            if (!w) continue;
            auto it = held_.find(w.data());
            if (it != held_.end() && --it.value() == 0) {
                held_.erase(it);
                w->removeEventFilter(this);
            }
        }
        if (waits_.isEmpty() && !pending_.isEmpty()) QTimer::singleShot(0, this, &CloseHold::closePending);
    }

    bool closing(const QWidget* owner) const
    {
        for (const QPointer<QWidget>& p : pending_)
            if (p && (p == owner || p->isAncestorOf(owner))) return true;
        return false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Close || !held_.contains(watched)) return false;
        auto* widget = static_cast<QWidget*>(watched);
        event->ignore();
        if (!closing(widget)) pending_.append(widget);
        for (LocalWait* wait : std::as_const(waits_))
            for (const QPointer<QWidget>& w : wait->chain_)
                if (w == widget) wait->interrupt();
        return true;
    }

private:
    explicit CloseHold(QObject* parent) : QObject(parent) {}

    void forget(QObject* object) { held_.remove(object); }

    // Closes the held windows once no wait runs and the actions that waited have
    // returned to the loop they were started from.
    void closePending()
    {
        if (!waits_.isEmpty()) return; // leave() schedules again
        if (QThread::currentThread()->loopLevel() > baseLevel_) {
            QTimer::singleShot(20, this, &CloseHold::closePending);
            return;
        }
        const auto pending = std::exchange(pending_, {});
        for (const QPointer<QWidget>& w : pending)
            if (w) w->close();
    }

    QList<LocalWait*> waits_;
    QHash<QObject*, int> held_;
    QList<QPointer<QWidget>> pending_;
    int baseLevel_ = 0;
};

LocalWait::LocalWait(QWidget* owner, int milliseconds, QEventLoop::ProcessEventsFlags flags)
    : milliseconds_(qMax(0, milliseconds)), flags_(flags)
{
    for (QWidget* w = owner; w; w = w->parentWidget()) chain_.append(w);
}

LocalWait::~LocalWait() = default;

LocalWait::End LocalWait::exec()
{
    if (finished_) return End::Done;
    if (!chain_.isEmpty() && chain_.first() && closing(chain_.first())) return End::Closing;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop_, &QEventLoop::quit);
    limit.start(milliseconds_);
    CloseHold& hold = CloseHold::instance();
    hold.enter(this);
    loop_.exec(flags_);
    hold.leave(this);
    if (finished_) return End::Done;
    return interrupted_ ? End::Closing : End::TimeLimit;
}

void LocalWait::finish()
{
    finished_ = true;
    loop_.quit();
}

void LocalWait::interrupt()
{
    interrupted_ = true;
    loop_.quit();
}

bool LocalWait::closing(const QWidget* owner) { return owner && CloseHold::instance().closing(owner); }

bool pauseServingEvents(QWidget* owner, int milliseconds)
{
    LocalWait wait(owner, milliseconds);
    return wait.exec() != LocalWait::End::Closing;
}

} // namespace k7t

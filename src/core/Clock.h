#pragma once
// Every "now" of the program comes from here, so tests can set the time.
#include <QDateTime>
#include <optional>

namespace k7t {

class Clock {
public:
    QDateTime now() const { return fixed_ ? *fixed_ : QDateTime::currentDateTime(); }
    // A set clock stands still until it is set again or advanced.
    void set(const QDateTime& t) { fixed_ = t; }
    void advance(qint64 seconds) { if (fixed_) fixed_ = fixed_->addSecs(seconds); }
    void release() { fixed_.reset(); }

private:
    std::optional<QDateTime> fixed_;
};

} // namespace k7t

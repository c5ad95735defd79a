#pragma once
// Every message box and Yes/No question of the program goes through here.
#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace k7t {

enum class MessageKind { Information, Plain, Exclamation, Question };

class Dialogs {
public:
    static QString applicationTitle() { return QStringLiteral("K7T CRM"); }

    virtual ~Dialogs() = default;
    // A box without a title shows the application's title.
    virtual void message(MessageKind kind, const QString& text, const QString& title = {}) = 0;
    // Yes/No question without an icon; true for Yes.
    virtual bool ask(const QString& text, const QString& title = {}) = 0;

    void information(const QString& text, const QString& title = {}) { message(MessageKind::Information, text, title); }
    void plain(const QString& text, const QString& title = {}) { message(MessageKind::Plain, text, title); }
    void exclamation(const QString& text, const QString& title = {}) { message(MessageKind::Exclamation, text, title); }
};

// Modal message boxes over the active window.
class MessageBoxDialogs : public Dialogs {
public:
    void message(MessageKind kind, const QString& text, const QString& title = {}) override;
    bool ask(const QString& text, const QString& title = {}) override;
};

// Records every box instead of showing it and answers questions from a script;
// used by tests and by runs without a screen.
class ScriptedDialogs : public Dialogs {
public:
    struct Box {
        MessageKind kind;
        QString text;
        QString title; // as shown, the application's title filled in
    };

    void message(MessageKind kind, const QString& text, const QString& title = {}) override;
    bool ask(const QString& text, const QString& title = {}) override;

    void answerNext(bool yes) { answers_.append(yes); }
    // Runs when a box is shown, as the operator would act while it is open.
    void onMessage(std::function<void(const Box&)> f) { hook_ = std::move(f); }
    const QList<Box>& boxes() const { return boxes_; }
    QStringList texts() const;
    Box last() const { return boxes_.isEmpty() ? Box{MessageKind::Plain, {}, {}} : boxes_.last(); }
    void clear() { boxes_.clear(); }

private:
    QList<Box> boxes_;
    QList<bool> answers_;
    std::function<void(const Box&)> hook_;
};

} // namespace k7t

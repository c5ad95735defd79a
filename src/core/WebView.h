#pragma once
// The embedded web view of the screens (WebBrowser1 ...). The browser inside is
// created when first needed, so screens that never load a page pay nothing for it.
//
// Every wait here serves the window's events meanwhile and ends by the page wait
// limit (the PageWaitSeconds setting), so the operator can go on working and no wait
// hangs. A wait also ends early when the screen's window is being closed.
#include <QUrl>
#include <QVariant>
#include <QWidget>

class QVBoxLayout;
class QWebEngineView;

namespace k7t {

class WebView : public QWidget {
    Q_OBJECT
public:
    explicit WebView(QWidget* parent = nullptr);
    ~WebView() override;

    void setWaitSeconds(int seconds);
    int waitSeconds() const { return waitSeconds_; }

    // Starts loading the address and returns at once; the view is busy from now on.
    void load(const QUrl& url);
    bool isBusy() const { return busy_; }

    // Waits while the view is busy, then until its document is complete. False when
    // the limit passed first, the load failed, or the window is closing.
    bool waitForPage();
    // Then waits while the body text is exactly `length` characters long; false when
    // it still was at the limit.
    bool waitWhileBodyLength(int length);

    // The body's text (document.body.innerText); "" when there is none or it cannot be read.
    QString bodyText();
    // Sets the value of the field `name` of the page's first form; false when there
    // is no such form or field.
    bool setFormField(const QString& name, const QString& value);
    // Submits the page's first form (the view is busy with its answer then); false
    // when the page has no form.
    bool submitForm();

    // The address shown, or the one being loaded.
    QUrl url() const;
    QWebEngineView* view();

signals:
    void pageLoaded(bool ok);

private:
    // Runs a script in the page and waits for its result (bounded); invalid on failure.
    QVariant evaluate(const QString& script, int milliseconds);
    QString documentState(int milliseconds);

    QVBoxLayout* layout_ = nullptr;
    QWebEngineView* view_ = nullptr;
    int waitSeconds_ = 30;
    bool busy_ = false;
    bool loaded_ = false; // a load was ever started: before that there is no document
    bool lastLoadOk_ = true;
    QUrl requested_; // while its load has not finished
};

} // namespace k7t

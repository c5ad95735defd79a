#include "core/WebView.h"

#include "core/LocalWait.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>

namespace k7t {

namespace {

// A text as a JavaScript string literal.
QString scriptText(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

int msLeft(const QDeadlineTimer& deadline) { return int(qMax<qint64>(0, deadline.remainingTime())); }

constexpr int kPollMs = 50;

} // namespace

WebView::WebView(QWidget* parent) : QWidget(parent), layout_(new QVBoxLayout(this))
{
    layout_->setContentsMargins(0, 0, 0, 0);
}

WebView::~WebView() = default;

void WebView::setWaitSeconds(int seconds) { waitSeconds_ = qMax(1, seconds); }

QWebEngineView* WebView::view()
{
    if (!view_) {
        view_ = new QWebEngineView(this);
        layout_->addWidget(view_);
        connect(view_, &QWebEngineView::loadStarted, this, [this] { busy_ = true; });
        connect(view_, &QWebEngineView::loadFinished, this, [this](bool ok) {
            busy_ = false;
            lastLoadOk_ = ok;
            requested_.clear();
            emit pageLoaded(ok);
        });
    }
    return view_;
}

void WebView::load(const QUrl& url)
{
    requested_ = url;
    busy_ = true;
    loaded_ = true;
    view()->load(url);
}

QUrl WebView::url() const
{
    if (!requested_.isEmpty()) return requested_;
    return view_ ? view_->url() : QUrl();
}

bool WebView::waitForPage()
{
    if (!loaded_) return true; // nothing to wait for
    const QDeadlineTimer deadline(qint64(waitSeconds_) * 1000);
    for (;;) {
        while (busy_) {
            LocalWait wait(this, msLeft(deadline));
            connect(this, &WebView::pageLoaded, &wait, &LocalWait::finish);
            if (wait.exec() != LocalWait::End::Done) return false;
        }
        // The load has ended; the document may still be finishing.
        if (documentState(msLeft(deadline)) == QLatin1String("complete") && !busy_) return lastLoadOk_;
        if (deadline.hasExpired() || !pauseServingEvents(this, qMin(kPollMs, msLeft(deadline)))) return false;
    }
}

bool WebView::waitWhileBodyLength(int length)
{
    const QDeadlineTimer deadline(qint64(waitSeconds_) * 1000);
    while (bodyText().size() == length) {
        if (deadline.hasExpired() || !pauseServingEvents(this, qMin(kPollMs * 2, msLeft(deadline)))) return false;
    }
    return true;
}

QString WebView::bodyText()
{
    return evaluate(QStringLiteral("document.body ? document.body.innerText : ''"), waitSeconds_ * 1000).toString();
}

bool WebView::setFormField(const QString& name, const QString& value)
{
    const QString script = QStringLiteral(
        "(function() {"
        "  var form = document.forms[0];"
        "  if (!form) return false;"
        "  var field = form.elements.namedItem(%1);"
        "  if (!field) return false;"
        "  if (!field.tagName && field.length) field = field[0];"
        "  field.value = %2;"
        "  return true;"
        "})()").arg(scriptText(name), scriptText(value));
    return evaluate(script, waitSeconds_ * 1000).toBool();
}

bool WebView::submitForm()
{
    // The answer's load may start and even end while the script still runs, so the
    // view counts as busy from before the submit.
    busy_ = true;
    const QVariant submitted = evaluate(QStringLiteral(
        "(function() {"
        "  var form = document.forms[0];"
        "  if (!form) return false;"
        "  HTMLFormElement.prototype.submit.call(form);" // a field named "submit" cannot hide it
        "  return true;"
        "})()"), waitSeconds_ * 1000);
    if (!submitted.toBool()) busy_ = view()->page()->isLoading();
    return submitted.toBool();
}

QString WebView::documentState(int milliseconds)
{
    return evaluate(QStringLiteral("document.readyState"), milliseconds).toString();
}

QVariant WebView::evaluate(const QString& script, int milliseconds)
{
    if (!loaded_) return {};
    QWebEnginePage* page = view()->page();
    auto result = std::make_shared<QVariant>();
    LocalWait wait(this, milliseconds);
    QPointer<LocalWait> waiting(&wait);
    page->runJavaScript(script, [result, waiting](const QVariant& value) {
        *result = value;
        if (waiting) waiting->finish();
    });
    if (wait.exec() != LocalWait::End::Done) return {};
    return *result;
}

} // namespace k7t

#include "core/SessionFlow.h"

#include "core/AppIcon.h"
#include "core/LoginScreen.h"
#include "core/MainWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

namespace k7t {

namespace {
const QString kPasswordScreen = QStringLiteral("Form14");

void centre(QWidget* w)
{
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        w->adjustSize();
        w->move(area.center() - w->rect().center());
    }
}

// Navigation for windows shown before the main window exists.
class NoNavigation : public Navigator {
public:
    QWidget* openScreen(const QString&) override { return nullptr; }
};
} // namespace

SessionFlow::SessionFlow(AppContext& app, ScreenCatalog screens, QObject* parent)
    : QObject(parent), app_(app), screens_(std::move(screens))
{
}

LoginScreen* SessionFlow::showLogin()
{
    login_ = new LoginScreen(app_);
    login_->setWindowIcon(appIcon());
    login_->setChangePasswordAvailable(screens_.contains(kPasswordScreen));
    connect(login_, &LoginScreen::loggedIn, this, &SessionFlow::showMainWindow);
    connect(login_, &LoginScreen::changePasswordRequested, this, &SessionFlow::showPasswordChange);
    centre(login_);
    login_->show();
    return login_;
}

void SessionFlow::showMainWindow()
{
    main_ = new MainWindow(app_, screens_);
    main_->showMaximized();
}

void SessionFlow::showPasswordChange()
{
    static NoNavigation none;
    const auto entry = screens_.constFind(kPasswordScreen);
    if (entry == screens_.constEnd()) return;
    password_ = entry->create(app_, none);
    password_->setAttribute(Qt::WA_DeleteOnClose);
    password_->setWindowIcon(appIcon());
    password_->installEventFilter(this); // its close brings the login screen back
    centre(password_);
    password_->show();
}

bool SessionFlow::eventFilter(QObject* watched, QEvent* event)
{
    // The new login screen is shown before the closing window goes, so the program
    // never runs out of windows in between.
    if (watched == password_ && event->type() == QEvent::Close) showLogin();
    return QObject::eventFilter(watched, event);
}

} // namespace k7t

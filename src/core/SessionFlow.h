#pragma once
// The life of the program's windows: the login screen first, then the main window;
// the password change in place of the login screen and back.
#include "core/ScreenCatalog.h"

#include <QObject>
#include <QPointer>

#include "core/LoginScreen.h"
#include "core/MainWindow.h"

namespace k7t {

class AppContext;

class SessionFlow : public QObject {
    Q_OBJECT
public:
    SessionFlow(AppContext& app, ScreenCatalog screens, QObject* parent = nullptr);

    LoginScreen* showLogin();
    LoginScreen* loginScreen() const { return login_; }
    MainWindow* mainWindow() const { return main_; }
    QWidget* passwordScreen() const { return password_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMainWindow();
    void showPasswordChange();

    AppContext& app_;
    ScreenCatalog screens_;
    QPointer<LoginScreen> login_;
    QPointer<MainWindow> main_;
    QPointer<QWidget> password_;
};

} // namespace k7t

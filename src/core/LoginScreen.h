#pragma once
// The login screen (Form13): checks the operator against CRM, keeps one session per
// operator and records the workstation that holds it.
#include <QWidget>
#include <memory>

namespace Ui { class LoginScreen; }

namespace k7t {

class AppContext;
class Connection;

class LoginScreen : public QWidget {
    Q_OBJECT
public:
    explicit LoginScreen(AppContext& app, QWidget* parent = nullptr);
    ~LoginScreen() override;

signals:
    void loggedIn();                 // the login succeeded; this screen is closing
    void changePasswordRequested();  // CHANGE PASSWORD; this screen is closing

public:
    // CHANGE PASSWORD works only where the password screen exists.
    void setChangePasswordAvailable(bool available);

private:
    void login();
    void changePassword();

    AppContext& app_;
    std::unique_ptr<Ui::LoginScreen> ui_;
    std::unique_ptr<Connection> db_;
};

} // namespace k7t

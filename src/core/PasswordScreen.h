#pragma once
// The password change (Form14): changes the password of a user ID given its old
// password, before logging in, and tells the operator's mobile by SMS.
#include <QWidget>
#include <memory>

namespace Ui { class PasswordScreen; }

namespace k7t {

class AppContext;
class Connection;

class PasswordScreen : public QWidget {
    Q_OBJECT
public:
    explicit PasswordScreen(AppContext& app, QWidget* parent = nullptr);
    ~PasswordScreen() override;

private:
    void change();

    AppContext& app_;
    std::unique_ptr<Ui::PasswordScreen> ui_;
    std::unique_ptr<Connection> db_;
};

} // namespace k7t

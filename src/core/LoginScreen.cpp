#include "core/LoginScreen.h"

#include "core/AppContext.h"
#include "core/FieldKeys.h"
#include "core/SqlText.h"
#include "ui_LoginScreen.h"

namespace k7t {

LoginScreen::LoginScreen(AppContext& app, QWidget* parent)
    : QWidget(parent), app_(app), ui_(std::make_unique<Ui::LoginScreen>()), db_(app.connection())
{
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    FieldKeys::enterMovesNext({ui_->Text1, ui_->Text2});
    connect(ui_->Command1, &QPushButton::clicked, this, &LoginScreen::login);
    connect(ui_->Command2, &QPushButton::clicked, this, &LoginScreen::changePassword);
}

LoginScreen::~LoginScreen() = default;

// Errors are ignored step by step: an unreachable database reads no row and so
// ends as a wrong login.
void LoginScreen::login()
{
    const QString ip = app_.workstation().ipAddress();
    QString name;
    QString sessionMac;
    bool success = false;
    db_->run(Connection::Style::IgnoreErrors, app_.dialogs(), [&] {
        db_->open();
        RowSet rs = db_->execute("select * from CRM where CRM_ID='" + sql::text(ui_->Text1->text()) + "' and PASSWORD='"
                                 + sql::text(ui_->Text2->text()) + "'");
        for (; !rs.atEnd(); rs.next()) {
            name = rs.trimmed(0);
            sessionMac = rs.trimmed(5);
        }
        if (name.isEmpty()) {
            app_.dialogs().plain("INVALID USER ID OR PASSWORD");
            return;
        }
        if (sessionMac != QLatin1String("NA")) {
            if (app_.dialogs().ask("YOU ARE ALREADY LOGGED IN FROM " + sessionMac + "LOG OUT PREVIOUS WINDOW", "K7T"))
                db_->execute("UPDATE CRM SET STATUS='INACTIVE',MAC='NA' WHERE CRM_ID='" + sql::text(ui_->Text1->text()) + "'");
            return;
        }
        const QString mac = app_.workstation().MACAddressWMI();
        db_->execute("UPDATE CRM SET STATUS='ACTIVE',MAC='" + sql::text(mac) + "',crm_ip='" + sql::text(ip) + "' WHERE CRM_ID='"
                     + sql::text(ui_->Text1->text()) + "'");
        app_.dialogs().plain("WELCOME " + name + " TO K7T CRM PORTAL");
        app_.currentUser().set(name);
        success = true;
    });
    if (success) {
        close();
        emit loggedIn();
    }
}

void LoginScreen::setChangePasswordAvailable(bool available) { ui_->Command2->setEnabled(available); }

void LoginScreen::changePassword()
{
    close();
    emit changePasswordRequested();
}

} // namespace k7t

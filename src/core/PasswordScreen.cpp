#include "core/PasswordScreen.h"

#include "core/AppContext.h"
#include "core/FieldKeys.h"
#include "core/SqlText.h"
#include "gateways/notify/Notifier.h"
#include "ui_PasswordScreen.h"

namespace k7t {

PasswordScreen::PasswordScreen(AppContext& app, QWidget* parent)
    : QWidget(parent), app_(app), ui_(std::make_unique<Ui::PasswordScreen>()), db_(app.connection())
{
    ui_->setupUi(this);
    FieldKeys::enterMovesNext({ui_->Text1, ui_->Text2, ui_->Text3, ui_->Text4});
    connect(ui_->Command1, &QPushButton::clicked, this, &PasswordScreen::change);
}

PasswordScreen::~PasswordScreen() = default;

// CHANGE: the first error ends the action and is shown. The password is changed as
// soon as the update has run; a failed SMS after it does not undo that.
void PasswordScreen::change()
{
    Dialogs& dialogs = app_.dialogs();
    const QString userId = ui_->Text1->text();
    if (userId.isEmpty() || ui_->Text2->text().isEmpty() || ui_->Text3->text().isEmpty() || ui_->Text4->text().isEmpty()) {
        dialogs.information("BLANK NOT ALLOWED", "K7T");
        return;
    }
    if (ui_->Text3->text() != ui_->Text4->text()) {
        dialogs.information("NEW PASSWORD AND REPEAT PASSWORD MISMATCH PLEASE TRY AGAIN", "K7T");
        return;
    }
    db_->run(Connection::Style::ReportErrors, dialogs, [&] {
        db_->open();
        const QString lookup = "SELECT * FROM CRM WHERE CRM_ID='" + sql::text(userId) + "'";
        QString name;
        for (RowSet rs = db_->execute(lookup); !rs.atEnd(); rs.next()) name = rs.trimmed(0);
        if (name.isEmpty()) {
            dialogs.information("INCORRECT USER ID PLEASE TRY AGAIN", "K7T");
            return;
        }
        QString stored;
        if (RowSet rs = db_->execute(lookup); !rs.atEnd()) {
            stored = rs.trimmed(3);
            name = rs.trimmed(0);
        }
        if (ui_->Text2->text() != stored) {
            dialogs.information("INCORRECT OLD PASSWORD TRY AGAIN", "K7T");
            return;
        }
        db_->execute("UPDATE CRM SET PASSWORD='" + sql::text(ui_->Text4->text()) + "'WHERE CRM_ID='" + sql::text(userId) + "' ");
        dialogs.information("PASSWORD CHANGED SUCCESSFULLY", "K7T");
        Notifier(app_.settings(), this)
            .SendSms(userId, "DEAR " + name + " YOUR K7T CRM PASSWORD HAS BEEN CHANGED IF YOU ARE NOT PLEASE CALL "
                                 + app_.settings().value("PasswordHelpPhone"));
    });
}

} // namespace k7t

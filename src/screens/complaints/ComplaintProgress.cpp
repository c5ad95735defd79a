// The complaint section's work on the complaint in the number box: updates, the
// closure with its notification, the date stamp, CLEAR and the way to the open board.
#include "core/AppContext.h"
#include "core/ComboLists.h"
#include "core/ScreenCatalog.h"
#include "core/SqlText.h"
#include "gateways/GatewayAddress.h"
#include "screens/complaints/ComplaintHistory.h"
#include "screens/complaints/ComplaintScreen.h"
#include "ui_ComplaintScreen.h"

#include <QLocale>

namespace k7t {

// Appends a stamped, signed entry to the history, recounts the pending hours and
// marks the complaint OPEN; WIRE DOWN also marks the customer's offline record.
void ComplaintScreen::updateComplaint()
{
    db_->run(Connection::Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        const QString number = ui_->Text6->text();
        const QString text = ui_->Text10->toPlainText();
        if (text.isEmpty()) {
            app_.dialogs().information("PLEASE FILL UPDATE", "K7T");
        } else {
            const QString entry = "@" + sql::stampText(app_.clock().now()) + " Update by: " + app_.currentUser().name() + "@" + "Update: " + text;
            const QDateTime end = app_.clock().now();
            const QString select = "SELECT * FROM COMPLAIN WHERE ID='" + sql::text(number) + "'";
            const complaint::Stored written = complaint::writeOnStored(*db_, select, complaint::read(*db_, select), [&](const complaint::Stored& s) {
                const qint64 pending = complaint::pendingHours(s.issueDate, end);
                db_->execute("update complain  set Status='OPEN',Pending='" + QString::number(pending) + "',Description='"
                             + sql::text(s.description.trimmed() + entry) + "',cat='" + sql::text(ui_->Combo2->currentText()) + "' where id='"
                             + sql::text(ui_->Text6->text()) + "'" + complaint::unchangedHistory(s.description));
            });
            ui_->Label7->setText((written.found ? written.description.trimmed() : ui_->Label7->text()) + entry);
            app_.dialogs().information("COMPLAINT UPDATED", "K7T CRM");
        }
        if (ui_->Combo2->currentText() == QLatin1String("WIRE DOWN"))
            db_->execute("update offline_user SET LDR='" + sql::text(ui_->Combo2->currentText()) + "'where id='" + sql::text(ui_->Text15->text())
                         + "' and FS<>'CLOSED'");
    });
}

// Appends the closing entry, stores the close date and the closing operator, and
// announces the closure to the notification service.
void ComplaintScreen::closeComplaint()
{
    const QString number = ui_->Text6->text();
    bool closed = false;
    db_->run(Connection::Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        const QDateTime closing = app_.clock().now();
        const QString closeStamp = sql::stampText(closing);
        const QString select = "select * from complain where id='" + sql::text(number) + "'";
        const complaint::Stored stored = complaint::read(*db_, select);
        if (!stored.found) throw ActionError{-1, "there is no complaint number " + number};
        const QString op = app_.currentUser().name();
        if (op.isEmpty()) {
            app_.dialogs().information("YOU ARE NOT LOGIN PLEASE CLOSE WINDO AND LOGIN AGAIN", "K7T");
            return;
        }
        const QString entry = "@" + sql::stampText(app_.clock().now()) + " Closed by: " + op;
        complaint::writeOnStored(*db_, select, stored, [&](const complaint::Stored& s) {
            const qint64 pending = complaint::pendingHours(s.issueDate, closing);
            db_->execute("update complain  set Status='CLOSED',description='" + sql::text(s.description.trimmed() + entry) + "',[close date]='"
                         + sql::text(closeStamp) + "',Pending='" + QString::number(pending) + "',ne='" + sql::text(op) + "',cat='"
                         + sql::text(ui_->Combo2->currentText()) + "'where id='" + sql::text(number) + "'" + complaint::unchangedHistory(s.description));
        });
        closed = true;
    });
    if (!closed) return;
    ui_->WebBrowser1->load(gatewayAddress(app_.settings().value("ComplaintHookBaseUrl"), "/waba_complaint_closed.php",
                                   {{"mobile", ui_->Text9->text()}, {"cn", ui_->Text6->text()}}));
    app_.dialogs().information("CLOSED SUCCESSFULLY", "K7T");
    ui_->Command2->setEnabled(false);
    ui_->Command3->setEnabled(false);
    ui_->Text3->setFocus();
}

void ComplaintScreen::stampDate()
{
    QTextCursor cursor = ui_->Text10->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QLocale::system().toString(app_.clock().now(), QLocale::ShortFormat));
    ui_->Text10->setTextCursor(cursor);
}

// Empties the card and the complaint section; lists, the status label, the port and
// ONU boxes, the grid and the buttons stay as they are.
void ComplaintScreen::clearScreen()
{
    for (QLineEdit* box : {ui_->Text1, ui_->Text2, ui_->Text4, ui_->Text12, ui_->Text13, ui_->Text6, ui_->Text7, ui_->Text9, ui_->Text5,
                           ui_->Text8, ui_->Text14, ui_->Text16, ui_->Text17, ui_->Text3, ui_->Text18, ui_->Text20, ui_->Text15})
        box->clear();
    for (QComboBox* box : {ui_->Combo5, ui_->Combo1, ui_->Combo2, ui_->Combo3, ui_->Combo6, ui_->Combo4}) combo::setText(box, {});
    ui_->Text10->clear();
    ui_->Label7->clear();
    ui_->Label22->clear();
    ui_->Label27->clear();
}

void ComplaintScreen::showOpenComplaints()
{
    navigator_.switchScreen(this, "Form4");
}

} // namespace k7t

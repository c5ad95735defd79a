// The customer card's tools: store the edited card, give a voice IP address, open
// the customer's AP, and the policy and AP pages of the database host.
#include "core/AppContext.h"
#include "core/SqlText.h"
#include "gateways/GatewayAddress.h"
#include "screens/complaints/ComplaintScreen.h"
#include "ui_ComplaintScreen.h"

#include <QPointer>

namespace k7t {

void ComplaintScreen::updateCustomer()
{
    const QString phone = ui_->Text4->text().trimmed();
    if (!phoneIsNumber(phone)) return;
    const bool stored = db_->run(Connection::Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        db_->execute("update cdata set AP='" + sql::text(ui_->Text18->text()) + "',name='" + sql::text(ui_->Text2->text()) + "',Mobile=" + phone
                     + ",Address='" + sql::text(ui_->Text8->text()) + "',CBA='" + sql::text(ui_->Text16->text()) + "',EMAIL='"
                     + sql::text(ui_->Text17->text()) + "',PAID='" + sql::text(ui_->Combo6->currentText()) + "'where id='"
                     + sql::text(ui_->Text1->text()) + "'");
    });
    if (stored) app_.dialogs().information("DATA UPDATED", "ZEZA");
}

// Stores the voice IP address unless a customer (this one included) holds it.
void ComplaintScreen::updateVoiceIp()
{
    db_->run(Connection::Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        const QString address = sql::text(ui_->Text20->text());
        QString owner;
        for (RowSet rs = db_->execute("SELECT ID FROM CDATA WHERE OTC='" + address + "'"); !rs.atEnd(); rs.next()) owner = rs.value("ID");
        if (owner.isEmpty()) {
            db_->execute("update cdata set  OTC='" + address + "'where id='" + sql::text(ui_->Text1->text().trimmed()) + "'");
            app_.dialogs().information("DATA UPDATED", "ZEZA");
        } else {
            app_.dialogs().information("IP ALREADY IN USE FOR USER " + owner, "K7T CRM");
        }
    });
}

// FTTH sites in the browser, every other AP in the router tool.
void ComplaintScreen::openAp()
{
    if (apAddress_.isEmpty()) {
        app_.dialogs().information("AP NOT UPDATED IN CRM", "K7T");
        return;
    }
    if (ui_->Label22->text().trimmed() != QLatin1String("FTTH")) {
        const QString tool = app_.settings().value("WinboxPath");
        if (!app_.desktop().startProgram(tool, {apAddress_, app_.settings().value("WinboxUser"), app_.settings().value("WinboxPassword")}))
            app_.dialogs().plain(ActionError{-1, "the router tool " + tool + " could not be started"}.shown());
    } else if (!app_.desktop().openUrl(QUrl("https://" + apAddress_))) {
        app_.dialogs().plain(ActionError{-1, "no web browser could open https://" + apAddress_}.shown());
    }
}

// Loads the database host's page `path` for the customer in the card and waits for
// it. The ID and NAS address read last stay when the customer is not found.
void ComplaintScreen::loadCustomerPage(const QString& path)
{
    db_->run(Connection::Style::IgnoreErrors, app_.dialogs(), [&] {
        db_->open();
        RowSet rs = db_->execute("select ID, NAS_IP from CDATA WHERE  id='" + sql::text(ui_->Text1->text()) + "'");
        if (!rs.atEnd()) {
            pageNasIp_ = rs.trimmed("nas_ip");
            pageUserId_ = rs.trimmed("id");
        }
    });
    ui_->WebBrowser1->load(gatewayAddress("http://" + app_.settings().value("DatabaseServer"), path, {{"bb", pageUserId_}, {"ip", pageNasIp_}}));
    ui_->WebBrowser1->waitForPage();
}

void ComplaintScreen::showPolicyPage() { loadCustomerPage("/policy.php"); }

// The AP page's body is the name of the customer's AP, empty while the customer is
// offline; a name is stored as the customer's AP.
void ComplaintScreen::fetchAp()
{
    const QPointer<ComplaintScreen> self(this);
    loadCustomerPage("/ap.php");
    if (!self) return; // the screen was closed during the wait
    ui_->Text18->setText(ui_->WebBrowser1->bodyText().trimmed());
    if (!ui_->Text18->text().isEmpty() && ui_->Text1->text().size() < 50) {
        db_->run(Connection::Style::IgnoreErrors, app_.dialogs(), [&] {
            db_->open();
            db_->execute("update cdata set ap='" + sql::text(ui_->Text18->text()) + "' WHERE ID='" + sql::text(pageUserId_) + "'");
        });
        app_.dialogs().information("AP UPDATED", "TORVALE KIRSO");
    } else {
        app_.dialogs().plain("OFFLINE");
    }
}

} // namespace k7t

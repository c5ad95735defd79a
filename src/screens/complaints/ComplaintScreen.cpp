#include "screens/complaints/ComplaintScreen.h"

#include "core/AppContext.h"
#include "core/ComboLists.h"
#include "core/FieldKeys.h"
#include "core/ScreenCatalog.h"
#include "core/SqlText.h"
#include "screens/complaints/ComplaintHistory.h"
#include "ui_ComplaintScreen.h"

#include <QTimer>

namespace k7t {

namespace {

const QStringList kNewComplaintCategories = {"SIGNAL WEAK", "DDOS", "SPEED ISSUE", "SITE  DOWN", "NO INTERNET ACCESS",
                                             "ODU PROBLEM", "BILLING ISSUE", "DEVICE NOT CONNECTED", "PHONE NOT WORKING"};
const QStringList kCategories = {"SITE DOWN", "WIRE DOWN", "BILLING ISSUE", "VOIP ISSUE", "OTHER"};
// Close date of a complaint that is not closed.
const QString kNotClosed = QStringLiteral("4/4/1990 12:00:00 AM");

} // namespace

ComplaintScreen::ComplaintScreen(AppContext& app, Navigator& navigator, QWidget* parent)
    : QWidget(parent), app_(app), navigator_(navigator), ui_(std::make_unique<Ui::ComplaintScreen>()), db_(app.connection())
{
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    ui_->WebBrowser1->setWaitSeconds(app_.settings().intValue("PageWaitSeconds"));
    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &ComplaintScreen::tick);

    FieldKeys::enterMovesNext({ui_->Text1, ui_->Text6});
    FieldKeys::onFocusLost(ui_->Text6, [this] {
        if (!closing_) lookUpComplaint();
    });
    FieldKeys::onDoubleClick(ui_->Text10, [this] { stampDate(); });

    connect(ui_->Combo4, &QComboBox::activated, this, &ComplaintScreen::circleChosen);
    connect(ui_->Combo5, &QComboBox::activated, this, &ComplaintScreen::ssaChosen);
    connect(ui_->Combo7, &QComboBox::activated, this, &ComplaintScreen::engineerChosen);
    connect(ui_->Combo3, &QComboBox::activated, this, &ComplaintScreen::complaintEngineerChosen);
    connect(ui_->Command8, &QPushButton::clicked, this, &ComplaintScreen::searchUser);
    connect(ui_->Command1, &QPushButton::clicked, this, &ComplaintScreen::submitComplaint);
    connect(ui_->Command2, &QPushButton::clicked, this, &ComplaintScreen::updateComplaint);
    connect(ui_->Command3, &QPushButton::clicked, this, &ComplaintScreen::closeComplaint);
    connect(ui_->Command6, &QPushButton::clicked, this, &ComplaintScreen::clearScreen);
    connect(ui_->Command7, &QPushButton::clicked, this, &ComplaintScreen::showOpenComplaints);
    connect(ui_->Command5, &QPushButton::clicked, this, &ComplaintScreen::updateCustomer);
    connect(ui_->Command10, &QPushButton::clicked, this, &ComplaintScreen::updateVoiceIp);
    connect(ui_->Command4, &QPushButton::clicked, this, &ComplaintScreen::openAp);
    connect(ui_->Label26, &ClickableLabel::clicked, this, &ComplaintScreen::showPolicyPage);
    connect(ui_->Label29, &ClickableLabel::clicked, this, &ComplaintScreen::fetchAp);

    load();
    timer_->start();
}

ComplaintScreen::~ComplaintScreen()
{
    // The focus leaves now, while the screen is whole, not while its fields are destroyed.
    closing_ = true;
    if (QWidget* focused = focusWidget()) focused->clearFocus();
}

void ComplaintScreen::closeEvent(QCloseEvent* event)
{
    closing_ = true;
    QWidget::closeEvent(event);
    closing_ = event->isAccepted();
}

void ComplaintScreen::load()
{
    ui_->Label13->setText("YOU ARE LOGIN AS " + app_.currentUser().name());
    ui_->Command3->setEnabled(false);
    ui_->MSHFlexGrid1->setColumnWidthTwips(0, 1000);
    ui_->MSHFlexGrid1->setColumnWidthTwips(1, 2500);
    combo::addItems(ui_->Combo6, {"YES", "NO"});
    ui_->Text11->setText(sql::clockText(app_.clock().now()));
    combo::addItems(ui_->Combo1, kNewComplaintCategories, true);
    combo::addItems(ui_->Combo2, kCategories);
    db_->run(Connection::Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        for (RowSet rs = db_->execute("select circle from circle"); !rs.atEnd(); rs.next())
            combo::addItem(ui_->Combo4, rs.trimmed("circle"), true);
    });
}

void ComplaintScreen::tick() { ui_->Text11->setText(sql::stampText(app_.clock().now())); }

void ComplaintScreen::circleChosen()
{
    combo::clearList(ui_->Combo5);
    db_->run(Connection::Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        for (RowSet rs = db_->execute("select SSA from ssa where circle='" + sql::text(ui_->Combo4->currentText()) + "'"); !rs.atEnd(); rs.next())
            combo::addItem(ui_->Combo5, rs.trimmed("SSA"));
    });
}

// The SSA's default engineer and phone.
void ComplaintScreen::ssaChosen()
{
    ui_->Text12->clear();
    ui_->Text13->clear();
    db_->run(Connection::Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        for (RowSet rs = db_->execute("select * from domain where id='" + sql::text(ui_->Combo5->currentText()) + "'"); !rs.atEnd(); rs.next()) {
            ui_->Text12->setText(rs.value(1));
            ui_->Text13->setText(rs.value(2));
        }
    });
}

void ComplaintScreen::engineerChosen()
{
    db_->run(Connection::Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        RowSet rs = db_->execute("select * from FE where circle='" + sql::text(ui_->Combo4->currentText()) + "' and CLUSTER='"
                                 + sql::text(ui_->Combo5->currentText()) + "'and name='" + sql::text(ui_->Combo7->currentText()) + "'");
        for (; !rs.atEnd(); rs.next()) {
            ui_->Text12->setText(ui_->Combo7->currentText());
            ui_->Text13->setText(rs.trimmed("MOBILE"));
        }
    });
}

void ComplaintScreen::complaintEngineerChosen()
{
    db_->run(Connection::Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        RowSet rs = db_->execute("select * from FE where circle='" + sql::text(ui_->Combo4->currentText()) + "' and CLUSTER='"
                                 + sql::text(ui_->Combo5->currentText()) + "'and name='" + sql::text(ui_->Combo3->currentText()) + "'");
        for (; !rs.atEnd(); rs.next()) ui_->Text5->setText(rs.trimmed("MOBILE"));
    });
}

// Finds the customer by user ID, telephone number, BA or mobile (a mobile finds only
// active customers) and fills the card, the engineer, the AP state, the open
// complaint, the history grid and the ONU MAC.
void ComplaintScreen::searchUser()
{
    combo::clearList(ui_->Combo7);
    apAddress_.clear();
    const QString q = sql::text(ui_->Text1->text().toLower());
    db_->run(Connection::Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        RowSet rs = db_->execute("select * from cdata where id = '" + q + "' OR indicator='" + q + "' OR BA='" + q + "'OR MOBILE='" + q
                                 + "' and status='active'");
        for (; !rs.atEnd(); rs.next()) {
            ui_->Text2->setText(rs.trimmed(1));
            combo::setText(ui_->Combo5, rs.trimmed("CLUSTER"));
            ui_->Text4->setText(rs.trimmed(3));
            ui_->Text8->setText(rs.trimmed(4));
            combo::setText(ui_->Combo4, rs.trimmed(5));
            ui_->Label22->setText(rs.value("SERVICE"));
            ui_->Text3->setText(rs.trimmed("ba"));
            ui_->Label27->setText(rs.trimmed("policy"));
            ui_->Text16->setText(rs.trimmed("CBA"));
            ui_->Text17->setText(rs.trimmed("EMAIL"));
            combo::setText(ui_->Combo6, rs.trimmed("PAID"));
            ui_->Text1->setText(rs.trimmed(0));
            ui_->Text18->setText(rs.trimmed("AP"));
            ui_->Text19->setText(rs.trimmed("PORT"));
            ui_->Text20->setText(rs.trimmed("OTC"));
        }

        rs = db_->execute("select * from FE where circle='" + sql::text(ui_->Combo4->currentText()) + "' and CLUSTER='"
                          + sql::text(ui_->Combo5->currentText()) + "'");
        for (; !rs.atEnd(); rs.next()) {
            ui_->Text12->setText(rs.trimmed("NAME"));
            ui_->Text13->setText(rs.trimmed("MOBILE"));
            combo::addItem(ui_->Combo7, rs.value("NAME"), true);
        }

        QString live;
        for (rs = db_->execute("SELECT IP,LIVE FROM af_site WHERE site='" + sql::text(ui_->Text18->text()) + "'"); !rs.atEnd(); rs.next()) {
            apAddress_ = rs.trimmed("IP");
            live = rs.trimmed("LIVE");
        }
        QPalette palette = ui_->Text18->palette();
        palette.setColor(QPalette::Base, live == QLatin1String("UP") ? Qt::green : Qt::red);
        ui_->Text18->setPalette(palette);

        const QString user = sql::text(ui_->Text1->text());
        for (rs = db_->execute("select * from complain WHERE [User ID]= '" + user + "'AND STATUS<>'CLOSED'"); !rs.atEnd(); rs.next()) {
            ui_->Text6->setText(rs.value(0));
            ui_->Text7->setText(rs.value(1));
            ui_->Text9->setText(rs.value(2));
            combo::setText(ui_->Combo2, rs.value("cat"));
            ui_->Label7->setText(rs.trimmed(4));
            combo::setText(ui_->Combo3, rs.value(8));
            ui_->Text5->setText(rs.value(9));
            ui_->Text8->setText(rs.value(11));
            ui_->Text14->setText(rs.value(3));
            ui_->Text15->setText(rs.value(12));
            ui_->Label34->setText(rs.value(5));
        }

        showHistoryOf(ui_->Text1->text());

        for (rs = db_->execute("select * from olt WHERE ID= '" + user + "'"); !rs.atEnd(); rs.next()) ui_->Text21->setText(rs.value("MAC"));
    });
}

// The customer's complaints in the grid, newest first.
void ComplaintScreen::showHistoryOf(const QString& userId)
{
    RowSet rs = db_->execute("select ID,[Issue Date] from complain WHERE [User ID]= '" + sql::text(userId) + "'order by ID desc");
    ui_->MSHFlexGrid1->bind(rs);
}

// Runs each time the complaint number box is left; the customer card stays as it is.
void ComplaintScreen::lookUpComplaint()
{
    combo::clearList(ui_->Combo3);
    ui_->Command3->setEnabled(true);
    db_->run(Connection::Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        RowSet rs = db_->execute("select * from complain WHERE ID= '" + sql::text(ui_->Text6->text()) + "'");
        for (; !rs.atEnd(); rs.next()) {
            ui_->Text7->setText(rs.trimmed(1));
            ui_->Text9->setText(rs.trimmed(2));
            combo::setText(ui_->Combo2, rs.trimmed("CAT"));
            ui_->Label7->setText(rs.trimmed(4));
            combo::setText(ui_->Combo3, rs.trimmed(8));
            ui_->Text5->setText(rs.trimmed(9));
            ui_->Text8->setText(rs.trimmed(11));
            ui_->Text15->setText(rs.trimmed(12));
            ui_->Text14->setText(rs.trimmed(3));
            combo::setText(ui_->Combo4, rs.value("CIRCLE"));
            combo::setText(ui_->Combo5, rs.value("SSA"));
            ui_->Label34->setText(rs.value(5));
        }
        showHistoryOf(ui_->Text15->text());
        rs = db_->execute("select * from FE where circle='" + sql::text(ui_->Combo4->currentText()) + "' and CLUSTER='"
                          + sql::text(ui_->Combo5->currentText()) + "'");
        for (; !rs.atEnd(); rs.next()) combo::addItem(ui_->Combo3, rs.value("NAME"), true);
        const bool open = ui_->Combo2->currentText().trimmed() != QLatin1String("CLOSED");
        ui_->Command2->setEnabled(open);
        ui_->Command3->setEnabled(open);
    });
}

// The phone goes into the customer record as a number, so it must be one.
bool ComplaintScreen::phoneIsNumber(const QString& phone)
{
    if (sql::isPlainNumber(phone)) return true;
    app_.dialogs().information("PHONE MUST BE A NUMBER (DIGITS ONLY); NOTHING WAS STORED", "ZEZA");
    ui_->Text4->setFocus();
    return false;
}

void ComplaintScreen::submitComplaint()
{
    QString number;
    bool stored = false;
    db_->run(Connection::Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        const QString user = sql::text(ui_->Text1->text());
        RowSet rs = db_->execute("select * from complain WHERE [User ID]= '" + user + "'AND STATUS<>'CLOSED'");
        for (; !rs.atEnd(); rs.next()) {
            ui_->Text6->setText(rs.value(0));
            ui_->Text7->setText(rs.value(1));
            ui_->Text9->setText(rs.value(2));
            combo::setText(ui_->Combo2, rs.value(5));
            ui_->Label7->setText(rs.trimmed(4));
            combo::setText(ui_->Combo3, rs.value(8));
            ui_->Text5->setText(rs.value(9));
            ui_->Text8->setText(rs.value(11));
            ui_->Text14->setText(rs.value(3));
        }
        if (!ui_->Text6->text().isEmpty()) {
            app_.dialogs().information(" HAS ALREADY AN OPEN COMPLAIN", "ZEZA");
            return;
        }
        for (const QString& field : {ui_->Text1->text(), ui_->Text2->text(), ui_->Text4->text(), ui_->Combo1->currentText(), ui_->Text12->text(),
                                     ui_->Text13->text(), ui_->Combo4->currentText(), ui_->Combo5->currentText()}) {
            if (field.isEmpty()) {
                app_.dialogs().information("PLEASE FILL ALL THE DATA", "ZEZA");
                return;
            }
        }
        const QString phone = ui_->Text4->text().trimmed();
        if (!phoneIsNumber(phone)) return;

        const QStringList values = {ui_->Text2->text(), phone, sql::stampText(app_.clock().now()), ui_->Combo1->currentText(), "NEW",
                                    kNotClosed, ui_->Combo5->currentText(), ui_->Text12->text(), ui_->Text13->text(), "0",
                                    ui_->Text8->text(), ui_->Text1->text(), ui_->Combo4->currentText(), ui_->Text18->text(),
                                    app_.currentUser().name(), "NA", ui_->Label22->text()};
        QStringList quoted;
        for (const QString& v : values) quoted << sql::text(v);
        db_->execute("insert into complain(name,mobile,[issue date],description,status,[close date],ssa,fe,[fe mob],pending,address,"
                     "[user id],circle,ap,ne,cat,srv) values('" + quoted.join("','") + "')");
        db_->execute("update cdata set name='" + sql::text(ui_->Text2->text()) + "',Mobile=" + phone + ",Address='"
                     + sql::text(ui_->Text8->text()) + "',OTC='" + sql::text(ui_->Text20->text()) + "'where id='" + user + "'");
        rs = db_->execute("select id from complain WHERE [user id]='" + user + "' and status<>'CLOSED'");
        if (!rs.atEnd()) number = rs.value("ID");
        stored = true;
    });
    if (!stored) return;
    ui_->Label16->setText(number);
    app_.dialogs().information("Complain Submitted Successfully with Complain No" + number, "ZEZA");
}

} // namespace k7t

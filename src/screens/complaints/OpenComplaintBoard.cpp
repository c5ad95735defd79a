#include "screens/complaints/OpenComplaintBoard.h"

#include "core/AppContext.h"
#include "core/ComboLists.h"
#include "core/FieldKeys.h"
#include "core/ScreenCatalog.h"
#include "core/SqlText.h"
#include "screens/complaints/NocPerformanceReport.h"
#include "screens/reports/GridExport.h"
#include "ui_OpenComplaintBoard.h"


namespace k7t {

using Style = Connection::Style;

namespace {

const QString kAllOpen = QStringLiteral("select *  from complain where Status <>'") + "CLOSED" + "' order by pending desc";

} // namespace

OpenComplaintBoard::OpenComplaintBoard(AppContext& app, Navigator& navigator, QWidget* parent)
    : QWidget(parent), app_(app), navigator_(navigator), ui_(std::make_unique<Ui::OpenComplaintBoard>()), db_(app.connection())
{
    ui_->setupUi(this);
    connect(ui_->Combo1, &QComboBox::activated, this, &OpenComplaintBoard::chooseCircle);
    connect(ui_->Combo5, &QComboBox::activated, this, &OpenComplaintBoard::chooseSsa);
    connect(ui_->Combo2, &QComboBox::activated, this, &OpenComplaintBoard::chooseStatus);
    connect(ui_->Combo6, &QComboBox::activated, this, &OpenComplaintBoard::chooseService);
    connect(ui_->Command1, &QPushButton::clicked, this, &OpenComplaintBoard::nocPerformance);
    connect(ui_->Command11, &QPushButton::clicked, this, &OpenComplaintBoard::exportList);
    connect(ui_->Command2, &QPushButton::clicked, this, &OpenComplaintBoard::back);
    FieldKeys::enterMovesNext({ui_->Combo2, ui_->Text1, ui_->Text2});
    FieldKeys::onFocusLost(ui_->Text1, [this] { lookupNumber(); });
    FieldKeys::onFocusLost(ui_->Text2, [this] { lookupUser(); });
    FieldKeys::onDoubleClick(ui_->Text7, [this] { stampNow(ui_->Text7); });
    FieldKeys::onDoubleClick(ui_->Text5, [this] { stampNow(ui_->Text5); });
    load();
}

OpenComplaintBoard::~OpenComplaintBoard() = default;

void OpenComplaintBoard::load()
{
    combo::setText(ui_->Combo6, "SERVICE");
    combo::addItems(ui_->Combo6, {"FTTH", "BBOWIFI", "AF", "MTNL"});
    combo::setText(ui_->Combo3, "SELECT STATUS");
    combo::addItems(ui_->Combo3, {"OPEN", "OPEN-FE", "SITE-DOWN"});
    combo::setText(ui_->Combo2, "SELECT STATUS");
    combo::addItems(ui_->Combo2, {"ALL", "CLOSED", "OPEN", "NEW", "VOIP", "OPEN-FE"}, true);
    combo::setText(ui_->Combo1, "SELECT CIRCLE");
    combo::setText(ui_->Combo5, "Combo5");
    combo::setText(ui_->Combo4, "SELECT ENGINEER");

    // ID, name, mobile, issue date, description, status, (close date keeps its width),
    // ssa, fe, fe mob, pending, address, user id, circle.
    const int widths[] = {800, 2000, 1200, 1200, 2000, 800, -1, 1200, 1200, 800, 1000, 3000, 2000, 2000};
    for (int col = 0; col < int(std::size(widths)); ++col)
        if (widths[col] > 0) ui_->MSHFlexGrid1->setColumnWidthTwips(col, widths[col]);

    db_->run(Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        QStringList circles;
        for (RowSet rs = db_->execute("select CIRCLE from CIRCLE"); !rs.atEnd(); rs.next()) circles << rs.trimmed("CIRCLE");
        combo::addItems(ui_->Combo1, circles, true);
        showList(kAllOpen);
    });
}

// Binds the grid to the statement and counts the complaints listed. A statement that
// failed (errors ignored) leaves the grid and the counter as they were.
void OpenComplaintBoard::showList(const QString& statement)
{
    RowSet rs = db_->execute(statement);
    if (rs.columnCount() == 0) return;
    ui_->MSHFlexGrid1->bind(rs);
    ui_->Label10->setText("OPEN FAULT: " + QString::number(qMax(0, ui_->MSHFlexGrid1->rows() - 1)));
}

void OpenComplaintBoard::chooseCircle()
{
    db_->run(Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        showList("select * from complain where Status<>'CLOSED'and CIRCLE= '" + sql::text(ui_->Combo1->currentText()) + "'order by pending desc");
        combo::clearList(ui_->Combo5);
        QStringList clusters;
        for (RowSet rs = db_->execute("select DISTINCT CLUSTER from FE where circle='" + sql::text(ui_->Combo1->currentText()) + "'"); !rs.atEnd(); rs.next())
            clusters << rs.trimmed("CLUSTER");
        combo::addItems(ui_->Combo5, clusters);
    });
}

void OpenComplaintBoard::chooseSsa()
{
    db_->run(Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        showList("select * from complain where Status<>'CLOSED'and SSA='" + sql::text(ui_->Combo5->currentText()) + "' AND CIRCLE='"
                 + sql::text(ui_->Combo1->currentText()) + "' order by pending desc ");
    });
}

void OpenComplaintBoard::chooseStatus()
{
    const QString status = ui_->Combo2->currentText();
    db_->run(Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        if (status == QLatin1String("ALL")) showList(kAllOpen);
        else showList("select * from complain where Status='" + sql::text(status) + "' order by pending desc");
    });
}

void OpenComplaintBoard::chooseService()
{
    db_->run(Style::IgnoreErrors, app_.dialogs(), [&] {
        db_->open();
        showList(QStringLiteral("select * from complain where Status <>'") + "CLOSED" + "'and srv='" + sql::text(ui_->Combo6->currentText())
                 + "' order by pending desc");
    });
}

void OpenComplaintBoard::lookupNumber()
{
    db_->run(Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        for (RowSet rs = db_->execute("select * from complain WHERE ID= '" + sql::text(ui_->Text1->text()) + "'"); !rs.atEnd(); rs.next()) {
            ui_->Label3->setText(rs.trimmed(1));
            combo::setText(ui_->Combo3, rs.trimmed(5));
            combo::setText(ui_->Combo4, rs.trimmed(8));
            ui_->Text4->setText(rs.trimmed(9));
            ui_->Text2->setText(rs.trimmed(12));
            ui_->Label4->setText(rs.trimmed(2));
            ui_->Text6->setPlainText(rs.trimmed(4));
            ui_->Text3->clear();
        }
    });
}

// Every complaint of the customer, closed ones included: the last one returned stays.
void OpenComplaintBoard::lookupUser()
{
    db_->run(Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        for (RowSet rs = db_->execute("select * from complain WHERE [User ID]= '" + sql::text(ui_->Text2->text()) + "'"); !rs.atEnd(); rs.next()) {
            ui_->Label3->setText(rs.value(1));
            combo::setText(ui_->Combo3, rs.trimmed(5));
            combo::setText(ui_->Combo4, rs.value(8));
            ui_->Text1->setText(rs.trimmed(0));
            ui_->Label4->setText(rs.value(2));
            ui_->Text4->setText(rs.value(9));
        }
    });
}

void OpenComplaintBoard::stampNow(QLineEdit* box) { box->setText(sql::stampText(app_.clock().now())); }

// The report over the period in the two date boxes. Bounds that are no date and time
// would be compared as plain text and give figures that mean nothing, so they are
// refused here, naming the box.
void OpenComplaintBoard::nocPerformance()
{
    const QString from = ui_->Text7->text();
    const QString to = ui_->Text5->text();
    QStringList bad;
    if (!sql::parseDateTime(from)) bad << QStringLiteral("THE START DATE BOX HOLDS \"%1\", WHICH IS NOT A DATE AND TIME.").arg(from);
    if (!sql::parseDateTime(to)) bad << QStringLiteral("THE END DATE BOX HOLDS \"%1\", WHICH IS NOT A DATE AND TIME.").arg(to);
    if (!bad.isEmpty()) {
        bad << QStringLiteral("DOUBLE-CLICK A DATE BOX FOR NOW, OR TYPE A DATE AND TIME LIKE %1. NO REPORT WAS MADE.").arg(sql::stampText(app_.clock().now()));
        app_.dialogs().exclamation(bad.join('\n'), QStringLiteral("K7T NOC"));
        return;
    }
    if (auto* report = qobject_cast<NocPerformanceReport*>(navigator_.openScreen("Form6"))) report->report(from, to);
}

void OpenComplaintBoard::exportList() { exportGrid(app_, *ui_->MSHFlexGrid1); }

void OpenComplaintBoard::back()
{
    navigator_.switchScreen(this, "Form3");
}

} // namespace k7t

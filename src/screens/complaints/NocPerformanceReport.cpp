#include "screens/complaints/NocPerformanceReport.h"

#include "core/AppContext.h"
#include "core/SqlText.h"
#include "screens/reports/GridExport.h"
#include "ui_NocPerformanceReport.h"

#include <QGuiApplication>
#include <QScreen>

namespace k7t {

namespace {
const QString kLogged = QStringLiteral("TOTAL COMPLAIN LOGGED ");
const QString kClosed = QStringLiteral("TOTAL COMPLAIN CLOSED ");
const QString kCarried = QStringLiteral("CARRY FORWARDED BY PREVIOUS DAY ");
} // namespace

NocPerformanceReport::NocPerformanceReport(AppContext& app, QWidget* parent)
    : QWidget(parent), app_(app), ui_(std::make_unique<Ui::NocPerformanceReport>()), db_(app.connection())
{
    ui_->setupUi(this);
    ui_->MSHFlexGrid1->setColumnWidthTwips(0, 4000);
    connect(ui_->Command1, &QPushButton::clicked, this, &NocPerformanceReport::exportList);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) move(screen->availableGeometry().center() - rect().center());
}

NocPerformanceReport::~NocPerformanceReport() = default;

// The value of the statement's last row; none when the statement failed.
std::optional<QString> NocPerformanceReport::count(const QString& statement)
{
    RowSet rs = db_->execute(statement);
    if (rs.columnCount() == 0) return std::nullopt;
    QString value;
    for (; !rs.atEnd(); rs.next()) value = rs.value(0);
    return value;
}

// Errors are ignored step by step. The figures of an earlier report are taken away
// first, so a step that fails shows no figure rather than one of another period.
void NocPerformanceReport::report(const QString& from, const QString& to)
{
    const QString a = sql::text(from);
    const QString b = sql::text(to);
    ui_->MSHFlexGrid1->clearGrid();
    ui_->Label1->setText(kLogged);
    ui_->Label2->setText(kClosed);
    ui_->Label3->setText(kCarried);
    db_->run(Connection::Style::IgnoreErrors, app_.dialogs(), [&] {
        db_->open();
        RowSet closers = db_->execute("SELECT NE, COUNT(NE) FROM COMPLAIN where [CLOSE DATE] between '" + a + "' AND '" + b
                                      + "' GROUP BY NE HAVING COUNT(NE) > 1");
        if (closers.columnCount() > 0) ui_->MSHFlexGrid1->bind(closers);
        if (auto n = count("select count(id) from complain where [issue DATE] between '" + a + "' AND '" + b + "'")) ui_->Label1->setText(kLogged + *n);
        if (auto n = count("select count(id) from complain where [CLOSE DATE] between '" + a + "' AND '" + b + "'")) ui_->Label2->setText(kClosed + *n);
        if (auto n = count("select count(id) from complain where [ISSUE DATE] < '" + a + "' AND STATUS <>'CLOSED'")) ui_->Label3->setText(kCarried + *n);
    });
    show();
    raise();
    activateWindow();
}

void NocPerformanceReport::exportList() { exportGrid(app_, *ui_->MSHFlexGrid1); }

} // namespace k7t

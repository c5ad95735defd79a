#include "screens/complaints/EngineerRegister.h"

#include "core/AppContext.h"
#include "core/AppIcon.h"
#include "core/ComboLists.h"
#include "core/SqlText.h"
#include "ui_EngineerRegister.h"

namespace k7t {

using Style = Connection::Style;

namespace {
const QString kTitle = QStringLiteral("ZEZA");
}

EngineerRegister::EngineerRegister(AppContext& app, QWidget* parent)
    : QWidget(parent), app_(app), ui_(std::make_unique<Ui::EngineerRegister>()), db_(app.connection())
{
    ui_->setupUi(this);
    setWindowIcon(appIcon());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);
    connect(ui_->Combo1, &QComboBox::activated, this, &EngineerRegister::choose);
    connect(ui_->Command1, &QPushButton::clicked, this, &EngineerRegister::add);
    connect(ui_->Command2, &QPushButton::clicked, this, &EngineerRegister::updatePhone);
    connect(ui_->Command3, &QPushButton::clicked, this, &EngineerRegister::search);
    connect(ui_->Command4, &QPushButton::clicked, this, &EngineerRegister::clearFields);
    load();
}

EngineerRegister::~EngineerRegister() = default;

// The list holds the names as the screen opened; names added later show on the next opening.
void EngineerRegister::load()
{
    db_->run(Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        QStringList names;
        for (RowSet rs = db_->execute("SELECT * FROM engineer"); !rs.atEnd(); rs.next()) names << rs.trimmed(0);
        combo::addItems(ui_->Combo1, names);
    });
    combo::setText(ui_->Combo1, "Engineer List");
}

// The screen compares the names itself, exactly: case and blanks count.
void EngineerRegister::choose()
{
    const QString chosen = ui_->Combo1->currentText();
    db_->run(Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        for (RowSet rs = db_->execute("SELECT * FROM engineer"); !rs.atEnd(); rs.next()) {
            if (rs.trimmed(0) != chosen) continue;
            ui_->Text1->setText(rs.trimmed(0));
            ui_->Text2->setText(rs.trimmed(1));
        }
    });
}

void EngineerRegister::search()
{
    const QString name = ui_->Text1->text();
    db_->run(Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        for (RowSet rs = db_->execute("select * from engineer"); !rs.atEnd(); rs.next())
            if (rs.trimmed(0) == name) ui_->Text2->setText(rs.trimmed(1));
    });
}

void EngineerRegister::add()
{
    if (ui_->Text1->text().isEmpty() || ui_->Text2->text().isEmpty()) {
        app_.dialogs().exclamation("Please insert all data", kTitle);
        return;
    }
    const bool done = db_->run(Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        db_->execute("insert into engineer values('" + sql::text(ui_->Text1->text()) + "','" + sql::text(ui_->Text2->text()) + "','"
                     + sql::text(ui_->Text3->text()) + "')");
    });
    if (done) app_.dialogs().information("DATA SUBMITED SUCCESSFULY", kTitle);
}

// Every row with the name gets the phone. A name that is not registered changes
// nothing, and the operator is told so instead of being told it was updated.
void EngineerRegister::updatePhone()
{
    int changed = -1;
    const bool done = db_->run(Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        db_->execute("UPDATE engineer set Phone='" + sql::text(ui_->Text2->text()) + "'where Engineer='" + sql::text(ui_->Text1->text()) + "'");
        changed = db_->affectedRows();
    });
    if (!done) return;
    if (changed == 0) app_.dialogs().exclamation("NO ENGINEER NAMED " + ui_->Text1->text() + " IS REGISTERED. NOTHING WAS UPDATED.", kTitle);
    else app_.dialogs().information("DATA UPDATED SUCCESSFULY", kTitle);
}

void EngineerRegister::clearFields()
{
    ui_->Text1->clear();
    ui_->Text2->clear();
}

} // namespace k7t

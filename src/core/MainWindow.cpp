#include "core/MainWindow.h"

#include "core/AppContext.h"
#include "core/AppIcon.h"
#include "core/SqlText.h"
#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

namespace k7t {

namespace {
// Menu item -> the form it opens.
const QHash<QString, QString>& menuForms()
{
    static const QHash<QString, QString> forms = {
        {"M3", "Form3"}, {"m5", "Form1"}, {"m6", "Form7"}, {"SLA", "Form5"}, {"m7", "Form8"},
        {"M9", "Form15"}, {"m8", "Form9"}, {"C3", "Form17"}, {"C5", "Form18"},
    };
    return forms;
}
} // namespace

MainWindow::MainWindow(AppContext& app, ScreenCatalog screens, QWidget* parent)
    : QMainWindow(parent), app_(app), ui_(std::make_unique<Ui::MainWindow>()), screens_(std::move(screens)),
      db_(app.connection())
{
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(appIcon());
    setCentralWidget(ui_->mdiArea);
    for (QAction* item : ui_->M->actions()) {
        const QString form = menuForms().value(item->objectName());
        item->setEnabled(screens_.contains(form));
        connect(item, &QAction::triggered, this, [this, form] { openScreen(form); });
    }
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::screen(const QString& form) const
{
    const auto it = open_.constFind(form);
    return it == open_.constEnd() ? nullptr : it->data();
}

QWidget* MainWindow::openScreen(const QString& form)
{
    if (QWidget* existing = screen(form)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(existing->parentWidget())) {
            ui_->mdiArea->setActiveSubWindow(sub);
        } else {
            existing->show();
            existing->raise();
            existing->activateWindow();
        }
        return existing;
    }
    const auto entry = screens_.constFind(form);
    if (entry == screens_.constEnd()) return nullptr;
    QWidget* widget = entry->create(app_, *this);
    widget->setAttribute(Qt::WA_DeleteOnClose);
    open_.insert(form, widget);
    if (entry->kind == ScreenEntry::Kind::Child) {
        QMdiSubWindow* sub = ui_->mdiArea->addSubWindow(widget);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->showMaximized();
    } else {
        widget->show();
    }
    return widget;
}

// Errors are reported; the window closes all the same.
void MainWindow::logout()
{
    db_->run(Connection::Style::ReportErrors, app_.dialogs(), [&] {
        db_->open();
        const QString mac = app_.workstation().MACAddressWMI();
        db_->execute("update crm set status='INACTIVE',MAC='NA' WHERE MAC='" + sql::text(mac) + "'");
    });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    logout();
    ui_->mdiArea->closeAllSubWindows();
    event->accept();
}

} // namespace k7t

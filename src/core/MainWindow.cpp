#include "core/MainWindow.h"

#include "core/AppContext.h"
#include "core/AppIcon.h"
#include "core/SqlText.h"
#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

namespace k7t {

MainWindow::MainWindow(AppContext& app, ScreenCatalog screens, QWidget* parent)
    : QMainWindow(parent), app_(app), ui_(std::make_unique<Ui::MainWindow>()), screens_(std::move(screens)),
      db_(app.connection())
{
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(appIcon());
    setCentralWidget(ui_->mdiArea);
    ui_->mdiArea->setBackground(appBackground());
    for (QAction* item : ui_->M->actions()) {
        const QString key = item->objectName();
        item->setEnabled(screens_.contains(key));
        connect(item, &QAction::triggered, this, [this, key] { openScreen(key); });
    }
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::screen(const QString& key) const
{
    const auto it = open_.constFind(key);
    return it == open_.constEnd() ? nullptr : it->data();
}

QWidget* MainWindow::openScreen(const QString& key)
{
    if (QWidget* existing = screen(key)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(existing->parentWidget())) {
            ui_->mdiArea->setActiveSubWindow(sub);
        } else {
            existing->show();
            existing->raise();
            existing->activateWindow();
        }
        return existing;
    }
    const auto entry = screens_.constFind(key);
    if (entry == screens_.constEnd()) return nullptr;
    QWidget* widget = entry->create(app_, *this);
    widget->setAttribute(Qt::WA_DeleteOnClose);
    open_.insert(key, widget);
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

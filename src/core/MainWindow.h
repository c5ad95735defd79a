#pragma once
// The main window (MDIForm1): the one menu of the program and the frame of the child
// screens. Closing it logs out every session of this workstation.
#include "core/ScreenCatalog.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>

namespace Ui { class MainWindow; }

namespace k7t {

class Connection;

class MainWindow : public QMainWindow, public Navigator {
    Q_OBJECT
public:
    MainWindow(AppContext& app, ScreenCatalog screens, QWidget* parent = nullptr);
    ~MainWindow() override;

    QWidget* openScreen(const QString& form) override;
    QWidget* screen(const QString& form) const; // the open screen of `form`, or null

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void logout();

    AppContext& app_;
    std::unique_ptr<Ui::MainWindow> ui_;
    ScreenCatalog screens_;
    QHash<QString, QPointer<QWidget>> open_;
    std::unique_ptr<Connection> db_;
};

} // namespace k7t

#pragma once
// The open-complaint board (Form4): complaints that are not closed, largest pending
// first, narrowed by circle, SSA, status or service; a complaint looked up by its
// number or its customer; the way to the NOC performance report and to the export.
// The board writes nothing to the database.
#include <QWidget>
#include <memory>

namespace Ui { class OpenComplaintBoard; }

class QComboBox;
class QLineEdit;

namespace k7t {

class AppContext;
class Connection;
class Navigator;

class OpenComplaintBoard : public QWidget {
    Q_OBJECT
public:
    OpenComplaintBoard(AppContext& app, Navigator& navigator, QWidget* parent = nullptr);
    ~OpenComplaintBoard() override;

private:
    void load();
    void showList(const QString& statement);
    void chooseCircle();
    void chooseSsa();
    void chooseStatus();
    void chooseService();
    void lookupNumber();
    void lookupUser();
    void stampNow(QLineEdit* box);
    void nocPerformance();
    void exportList();
    void back();

    AppContext& app_;
    Navigator& navigator_;
    std::unique_ptr<Ui::OpenComplaintBoard> ui_;
    std::unique_ptr<Connection> db_;
};

} // namespace k7t

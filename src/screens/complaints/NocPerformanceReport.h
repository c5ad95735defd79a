#pragma once
// The NOC performance report (Form6): complaints logged, closed and carried forward in
// a period, and the operators who closed more than one complaint in it. Made from the
// open-complaint board over the period in its date boxes.
#include <QWidget>
#include <memory>
#include <optional>

namespace Ui { class NocPerformanceReport; }

namespace k7t {

class AppContext;
class Connection;

class NocPerformanceReport : public QWidget {
    Q_OBJECT
public:
    explicit NocPerformanceReport(AppContext& app, QWidget* parent = nullptr);
    ~NocPerformanceReport() override;

    // Fills the report for the period; `from` and `to` are compared as date-times,
    // both inclusive.
    void report(const QString& from, const QString& to);

private:
    std::optional<QString> count(const QString& statement);
    void exportList();

    AppContext& app_;
    std::unique_ptr<Ui::NocPerformanceReport> ui_;
    std::unique_ptr<Connection> db_;
};

} // namespace k7t

#pragma once
// The engineer register (Form7): engineers with phone number and area; add one,
// change a phone number, find a phone number by name or from the list.
#include <QWidget>
#include <memory>

namespace Ui { class EngineerRegister; }

namespace k7t {

class AppContext;
class Connection;

class EngineerRegister : public QWidget {
    Q_OBJECT
public:
    explicit EngineerRegister(AppContext& app, QWidget* parent = nullptr);
    ~EngineerRegister() override;

private:
    void load();
    void choose();
    void search();
    void add();
    void updatePhone();
    void clearFields();

    AppContext& app_;
    std::unique_ptr<Ui::EngineerRegister> ui_;
    std::unique_ptr<Connection> db_;
};

} // namespace k7t

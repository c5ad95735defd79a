#pragma once
// The complaint screen (Form3): finds a customer, registers a complaint, works it with
// a growing history until it is closed, and carries a few tools on the customer card.
#include <QWidget>
#include <memory>

namespace Ui { class ComplaintScreen; }

class QTimer;

namespace k7t {

class AppContext;
class Connection;
class Navigator;

class ComplaintScreen : public QWidget {
    Q_OBJECT
public:
    ComplaintScreen(AppContext& app, Navigator& navigator, QWidget* parent = nullptr);
    ~ComplaintScreen() override;

    // The management address of the customer's AP found by the last search.
    QString apAddress() const { return apAddress_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Lookup and registration
    void load();
    void tick();
    void circleChosen();
    void ssaChosen();
    void engineerChosen();
    void complaintEngineerChosen();
    void searchUser();
    void lookUpComplaint();
    void submitComplaint();
    void showHistoryOf(const QString& userId);

    // Update and closure
    void updateComplaint();
    void closeComplaint();
    void stampDate();
    void clearScreen();
    void showOpenComplaints();

    // Customer tools
    void updateCustomer();
    void updateVoiceIp();
    void openAp();
    void showPolicyPage();
    void fetchAp();
    bool phoneIsNumber(const QString& phone);
    void loadCustomerPage(const QString& path);

    AppContext& app_;
    Navigator& navigator_;
    std::unique_ptr<Ui::ComplaintScreen> ui_;
    std::unique_ptr<Connection> db_;
    QTimer* timer_ = nullptr;
    bool closing_ = false; // a screen going away looks nothing up when its number box loses the focus
    QString apAddress_;
    // What the Status and AP labels read last: the customer's ID and NAS address.
    QString pageUserId_;
    QString pageNasIp_;
};

} // namespace k7t

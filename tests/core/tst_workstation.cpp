// The workstation's identity and the keyboard conventions of the screens.
#include "core/FieldKeys.h"
#include "core/Workstation.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest/QTest>

using namespace k7t;
using Adapter = Workstation::Adapter;

class WorkstationTest : public QObject {
    Q_OBJECT
private slots:
    void lastQualifyingAdapter_data()
    {
        QTest::addColumn<QList<Adapter>>("adapters");
        QTest::addColumn<QString>("mac");
        QTest::addColumn<QString>("ip");
        const Adapter lo{"lo", "00:00:00:00:00:00", true, false, true, {"127.0.0.1"}};
        const Adapter eth{"eth0", "AA:AA:AA:AA:AA:01", false, false, true, {"10.0.0.5", "fe80::1"}};
        const Adapter wifi{"wlan0", "AA:AA:AA:AA:AA:02", false, false, true, {"192.168.1.7"}};
        const Adapter down{"eth1", "AA:AA:AA:AA:AA:03", false, false, false, {}};
        const Adapter bridge{"docker0", "02:42:00:00:00:01", false, false, true, {"172.17.0.1"}};
        const Adapter tunnel{"wg0", "", false, true, true, {"10.9.0.1"}};
        const Adapter v6only{"eth2", "AA:AA:AA:AA:AA:04", false, false, true, {"fe80::4"}};
        QTest::newRow("two adapters: the last one") << QList<Adapter>{eth, wifi} << "AA:AA:AA:AA:AA:02" << "192.168.1.7";
        QTest::newRow("loopback and virtual left out") << QList<Adapter>{eth, lo, bridge, tunnel} << "AA:AA:AA:AA:AA:01" << "10.0.0.5";
        QTest::newRow("a down adapter gives its MAC, not an address") << QList<Adapter>{eth, down} << "AA:AA:AA:AA:AA:03" << "10.0.0.5";
        QTest::newRow("first address of the list") << QList<Adapter>{v6only} << "AA:AA:AA:AA:AA:04" << "fe80::4";
        QTest::newRow("nothing qualifies") << QList<Adapter>{lo, tunnel} << "" << "";
    }
    void lastQualifyingAdapter()
    {
        QFETCH(QList<Adapter>, adapters);
        QFETCH(QString, mac);
        QFETCH(QString, ip);
        QCOMPARE(Workstation::macOf(adapters), mac);
        QCOMPARE(Workstation::ipOf(adapters), ip);
    }

    void thisMachineGivesTheMacForm()
    {
        const QString mac = Workstation().MACAddressWMI();
        QVERIFY2(mac.isEmpty() || QRegularExpression("^([0-9A-F]{2}:){5}[0-9A-F]{2}$").match(mac).hasMatch(), qPrintable(mac));
    }

    void enterMovesOnAndFocusLossActs()
    {
        QWidget form;
        auto* layout = new QVBoxLayout(&form);
        auto* first = new QLineEdit;
        auto* combo = new QComboBox;
        combo->setEditable(true);
        auto* disabled = new QLineEdit;
        disabled->setEnabled(false);
        auto* button = new QPushButton("GO");
        int pressed = 0, lost = 0;
        QObject::connect(button, &QPushButton::clicked, [&] { ++pressed; });
        for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(combo), static_cast<QWidget*>(disabled), static_cast<QWidget*>(button)})
            layout->addWidget(w);
        FieldKeys::enterMovesNext({first, combo});
        FieldKeys::onFocusLost(first, [&] { ++lost; });
        form.show();
        QApplication::setActiveWindow(&form);
        first->setFocus();
        QTRY_VERIFY(first->hasFocus());
        QTest::keyClick(first, Qt::Key_Return);
        QTRY_VERIFY(combo->hasFocus());
        QCOMPARE(lost, 1);
        QTest::keyClick(combo->lineEdit(), Qt::Key_Enter);
        QTRY_VERIFY(button->hasFocus()); // the disabled field is passed over
        QCOMPARE(combo->count(), 0);     // Enter added nothing to the list
        QCOMPARE(pressed, 0);

        // Leaving for another application, or the window closing, is not the operator moving on.
        first->setFocus();
        QTRY_VERIFY(first->hasFocus());
        QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(first, &away);
        QCOMPARE(lost, 1);
        form.close();
        QCOMPARE(lost, 1);
    }
};

QTEST_MAIN(WorkstationTest)
#include "tst_workstation.moc"

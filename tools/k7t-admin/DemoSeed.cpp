// Demo data: one operator, reference data for every screen, generated customers and
// complaints. Deterministic, so a demo database looks the same on every machine.
#include "k7t-admin/Admin.h"

#include "core/Schema.h"
#include "core/SqlText.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>

namespace k7t::admin {

namespace {

struct Circle {
    const char* name;
    const char* ssas[2];
};
const Circle kCircles[] = {
    {"MAHARASHTRA", {"PUNE", "NASHIK"}},
    {"GUJARAT", {"SURAT", "RAJKOT"}},
    {"KARNATAKA", {"MYSORE", "HUBLI"}},
};
const char* kFirstNames[] = {"RAHUL", "PRIYA", "AMIT", "SNEHA", "VIKRAM", "ANITA", "SURESH", "KAVITA", "ARJUN", "MEERA",
                             "ROHAN", "NEHA", "SANJAY", "POOJA", "MANOJ", "DEEPA"};
const char* kLastNames[] = {"PATIL", "SHAH", "RAO", "DESAI", "KULKARNI", "MEHTA", "IYER", "JOSHI", "NAIK", "D'SOUZA"};
const char* kCategories[] = {"NO DIAL TONE", "LINK DOWN", "SLOW SPEED", "WIFI ISSUE", "LOS RED LIGHT", "WIRE DOWN"};
const char* kRfos[] = {"POWER FAILURE", "FIBER CUT", "EQUIPMENT FAULT", "ZEZA MEDIA DOWN", "PLANNED MAINTENANCE"};

// A small inserter: one prepared statement, values bound by position.
class Inserter {
public:
    Inserter(QSqlDatabase& db, const QString& statement) : q_(db) { ok_ = q_.prepare(statement); if (!ok_) error_ = q_.lastError().text(); }
    bool operator()(const QVariantList& values)
    {
        if (!ok_) return false;
        for (int i = 0; i < values.size(); ++i) q_.bindValue(i, values.at(i));
        if (!q_.exec()) { ok_ = false; error_ = q_.lastError().text(); }
        return ok_;
    }
    QString error() const { return error_; }

private:
    QSqlQuery q_;
    bool ok_ = false;
    QString error_;
};

QString marks(int n)
{
    QStringList m;
    for (int i = 0; i < n; ++i) m << "?";
    return m.join(',');
}

QString siteName(const QString& ssa, const char* kind, int n) { return QStringLiteral("%1-%2-%3").arg(ssa, kind).arg(n, 2, 10, QLatin1Char('0')); }

} // namespace

QString seedDemo(const DatabaseConfig& config, const SeedOptions& o)
{
    Connection c(config);
    if (QString e = Schema::ensureEmbedded(config); !e.isEmpty()) return e;
    try {
        c.open();
    } catch (const ActionError& e) {
        return e.shown();
    }
    QSqlDatabase db = c.handle();
    {
        // Bulk load: no waiting for the disk at each page and a large page cache. Both
        // hold for this connection only; the program's own connections are unaffected.
        QSqlQuery pragma(db);
        pragma.exec(QStringLiteral("PRAGMA synchronous=OFF"));
        pragma.exec(QStringLiteral("PRAGMA cache_size=-262144"));
    }
    if (!db.transaction()) return db.lastError().text();

    Inserter crm(db, "insert into CRM(NAME,CRM_ID,ROLE,PASSWORD,EMAIL,MAC,STATUS,crm_ip) values(" + marks(8) + ")");
    Inserter circle(db, "insert into circle values(" + marks(7) + ")");
    Inserter ssa(db, "insert into ssa values(" + marks(10) + ")");
    Inserter fe(db, "insert into FE values(" + marks(5) + ")");
    Inserter domain(db, "insert into domain values(" + marks(6) + ")");
    Inserter engineer(db, "insert into engineer values(" + marks(3) + ")");
    Inserter afSite(db, "insert into af_site values(" + marks(9) + ")");
    Inserter olt(db, "insert into OLT values(" + marks(9) + ")");
    Inserter voip(db, "insert into VOIP values(" + marks(5) + ")");
    Inserter bts(db, "insert into BTS values(" + marks(16) + ")");
    Inserter ngn(db, "insert into NGN values(" + marks(4) + ")");
    Inserter rfo(db, "insert into AP_RFO values(?)");
    Inserter outage(db, "insert into olt_status(status,down_time,up_time,rfo,on_the_part_of,IP,circle,ssa,equipment) values(" + marks(9) + ")");
    Inserter offline(db, "insert into offline_user values(" + marks(3) + ")");
    Inserter customer(db, "insert into cdata values(" + marks(30) + ")");
    Inserter complaint(db, "insert into complain(name,mobile,[issue date],description,status,[close date],ssa,fe,[fe mob],pending,address,[user id],circle,ap,ne,cat,srv) values(" + marks(17) + ")");

    QList<Inserter*> all = {&crm, &circle, &ssa, &fe, &domain, &engineer, &afSite, &olt, &voip, &bts, &ngn, &rfo, &outage, &offline, &customer, &complaint};
    auto failed = [&]() -> QString {
        for (Inserter* i : all)
            if (!i->error().isEmpty()) return i->error();
        return {};
    };

    crm({kDemoOperatorName, kDemoOperatorId, "NOC", kDemoOperatorPassword, "noc@k7t.local", "NA", "INACTIVE", ""});
    crm({"SECOND OPERATOR", "9000000002", "NOC", "demo456", "noc2@k7t.local", "NA", "INACTIVE", ""});

    for (const char* r : kRfos) rfo({r});
    for (const char* p : {"ZTE", "UTSTER", "CDOT"})
        for (const Circle& ci : kCircles)
            ngn({p, ci.name, QStringLiteral("%1.%2.ims.local").arg(QString(p).toLower(), QString(ci.name).toLower()), "3000"});

    // Sites, pools and equipment: per SSA one OLT site and one air-fibre AP.
    struct Site { QString circle, ssa, name, service, ip; int vlan; };
    QList<Site> sites;
    int circleNo = 0, engineerNo = 0;
    for (const Circle& ci : kCircles) {
        ++circleNo;
        circle({ci.name, QStringLiteral("CBH %1").arg(ci.name), QStringLiteral("98200000%1").arg(circleNo, 2, 10, QLatin1Char('0')),
                QStringLiteral("cbh.%1@k7t.local").arg(QString(ci.name).toLower()), QStringLiteral("CGM %1").arg(ci.name),
                QStringLiteral("94200000%1").arg(circleNo, 2, 10, QLatin1Char('0')), QStringLiteral("cgm.%1@zeza.local").arg(QString(ci.name).toLower())});
        int ssaNo = 0;
        for (const char* s : ci.ssas) {
            ++ssaNo;
            const QString S = s, mail = S.toLower();
            const QString base = QStringLiteral("%1%2").arg(circleNo).arg(ssaNo);
            ssa({ci.name, S, "FE " + S, "98" + base + "000001", "94" + base + "000002", "sde.bb." + mail + "@zeza.local",
                 "94" + base + "000003", "sde.tx." + mail + "@zeza.local", "94" + base + "000004", "gm." + mail + "@zeza.local"});
            domain({S, "DM " + S, "0" + base + "2400000", S + " TELEPHONE EXCHANGE", S + " SDCA", ci.name});
            for (int e = 1; e <= 2; ++e) {
                ++engineerNo;
                const QString phone = QStringLiteral("97%1").arg(10000000 + engineerNo, 8, 10, QLatin1Char('0'));
                fe({ci.name, S, S, QStringLiteral("%1 %2").arg(kFirstNames[engineerNo % 16], kLastNames[engineerNo % 9]), phone});
                engineer({QStringLiteral("ENGINEER %1").arg(engineerNo), phone, S});
            }
            const int vlanBase = 100 * (circleNo * 10 + ssaNo);
            sites.append({ci.name, S, siteName(S, "OLT", 1), "FTTH", QStringLiteral("10.%1.%2.1").arg(circleNo).arg(ssaNo), vlanBase});
            sites.append({ci.name, S, siteName(S, "AP", 1), "AF", QStringLiteral("10.%1.%2.2").arg(circleNo).arg(ssaNo), vlanBase + 50});
            for (int v = 1; v <= 40; ++v)
                voip({ci.name, v % 2 ? "FTTH" : "AF", "BNG-" + S, QStringLiteral("172.%1.%2.%3").arg(16 + circleNo).arg(ssaNo).arg(v + 10), "NA"});
        }
    }
    int siteNo = 0;
    for (const Site& s : sites) {
        ++siteNo;
        const bool up = siteNo % 5 != 0;
        afSite({s.circle, s.ssa, s.name, "ACTIVE", s.service, s.ip, QString::number(s.vlan), "0", up ? "UP" : "DOWN"});
        for (int p = 1; p <= 60; ++p)
            olt({s.circle, s.ssa, s.name, s.service, QString::number(s.vlan), QString::number(1000 + p), "NA", "NA",
                 QStringLiteral("ZTEG%1%2").arg(siteNo, 2, 10, QLatin1Char('0')).arg(p, 4, 10, QLatin1Char('0'))});
        bts({QStringLiteral("T%1").arg(siteNo, 4, 10, QLatin1Char('0')), s.circle, s.ssa, "K7T-" + s.name, "BNG-" + s.ssa, s.ip, s.name,
             s.service == "FTTH" ? "OLT" : "AP SECTOR", "ACTIVE", s.service == "FTTH" ? "ONU/OLT" : "OCLAN",
             QStringLiteral("10.200.%1.1").arg(siteNo), "GE-0/1/" + QString::number(siteNo), "GE OPTICAL",
             s.service == "FTTH" ? "ZEZA FTTH" : "K7T WIRELESS P2P", "0", up ? "UP" : "DOWN"});
        // One free equipment row per site, for the equipment register.
        bts({QStringLiteral("F%1").arg(siteNo, 4, 10, QLatin1Char('0')), s.circle, s.ssa, "", "BNG-" + s.ssa,
             QStringLiteral("10.250.%1.1").arg(siteNo), "NA", "AP SECTOR", "INACTIVE", "", "", "", "", "", "0", "DOWN"});
    }

    // Outages of the last days: some open, some resolved, some closed.
    for (int i = 0; i < sites.size(); ++i) {
        const Site& s = sites.at(i);
        const QDateTime down = o.now.addSecs(-3600 * (6 + 20 * i));
        const char* status = i % 3 == 0 ? "OPEN" : (i % 3 == 1 ? "RESOLVED" : "CLOSED");
        outage({status, sql::stampText(down), i % 3 == 0 ? QVariant(QString()) : QVariant(sql::stampText(down.addSecs(5400))),
                i % 3 == 2 ? kRfos[i % 5] : "", i % 3 == 2 ? "K7T" : "", s.ip, s.circle, s.ssa, s.name});
    }

    // Customers: half FTTH, half AF, spread over the sites; one in ten inactive.
    const int customers = qMax(0, o.customers);
    QList<QStringList> keys; // id, name, mobile, address, circle, cluster, site, service
    keys.reserve(customers);
    for (int n = 0; n < customers; ++n) {
        const Site& s = sites.at(n % sites.size());
        const QString id = QStringLiteral("k7t%1").arg(n + 1, 7, 10, QLatin1Char('0'));
        const QString name = QStringLiteral("%1 %2").arg(kFirstNames[n % 16], kLastNames[(n / 16) % 10]);
        const QString mobile = QString::number(9100000000LL + n);
        const QString phone = QStringLiteral("0%1%2").arg(20 + (n % 50)).arg(26000000 + n);
        const QString address = QStringLiteral("%1, %2 ROAD, %3").arg(n % 300 + 1).arg(kLastNames[n % 10]).arg(s.ssa);
        const QString day = sql::dayText(o.now.addDays(-(n % 700)));
        const QString status = n % 10 == 9 ? "inactive" : "active";
        customer({id, name, s.ssa, mobile, address, s.circle, day, QString::number(8000000000LL + n), QString::number(7000000000LL + n),
                  "ims.local/3000", "K7T_" + id + "/wifi" + QString::number(1000 + n % 9000), phone + "/" + QString::number(1000 + n % 9000),
                  phone.mid(1), id + "@mail.local", status, n % 4 ? "YES" : "NO", phone, "0",
                  QStringLiteral("%1 / %2").arg(s.name).arg(n % 64), n % 25 == 0 ? "Zeza_Susp" : "FTTH_100M", "0", "0", "", "0",
                  s.service, "0", s.name, phone, day, s.ssa});
        keys.append({id, name, mobile, address, s.circle, s.ssa, s.name, s.service});
    }

    // Complaints: the first `open` ones stay open, one per customer; the rest are closed.
    const int complaints = customers ? qMax(0, o.complaints) : 0;
    int open = o.openComplaints < 0 ? complaints / 20 : o.openComplaints;
    open = qMin(open, qMin(complaints, customers));
    for (int n = 0; n < complaints; ++n) {
        const QStringList& k = keys.at(n % customers);
        const QDateTime issued = o.now.addSecs(-60LL * (37 + (n * 7919LL) % (60 * 24 * 365)));
        const bool isOpen = n < open;
        const char* category = kCategories[n % 6];
        const int pending = isOpen ? int((n * 13) % 120) : int((n * 7) % 48);
        // Histories as the complaint screen writes them: category, then "@" entries.
        const QString history = QStringLiteral("%1@%2 Update by: %3@Update: CUSTOMER CONTACTED").arg(category, sql::stampText(issued.addSecs(1800)), kDemoOperatorName);
        complaint({k[1], k[2], sql::stampText(issued), history, isOpen ? (n % 2 ? "OPEN" : "NEW") : "CLOSED",
                   isOpen ? "4/4/1990 12:00:00 AM" : sql::stampText(issued.addSecs(3600LL * (pending + 1))), k[5],
                   "FE " + k[5], "9800000000", QString::number(pending), k[3], k[0], k[4], k[6], kDemoOperatorName, category, k[7]});
        if (!complaint.error().isEmpty()) break;
    }
    for (int n = 0; n < qMin(customers, 5); ++n) offline({keys.at(n)[0], "LINK DOWN", n % 2 ? "CLOSED" : "OPEN"});

    if (const QString e = failed(); !e.isEmpty()) {
        db.rollback();
        return e;
    }
    if (!db.commit()) return db.lastError().text();
    c.close();
    return {};
}

} // namespace k7t::admin

#pragma once
// Complaint rows for tests of the complaint screens, written straight to the table.
#include "support/TestApp.h"

#include "core/SqlText.h"

namespace k7t::test {

struct ComplaintRow {
    QString name = "CUSTOMER";
    QString status = "NEW";
    int pending = 0;
    QString circle = "MAHARASHTRA";
    QString ssa = "PUNE";
    QString srv = "FTTH";
    QString user = "user1";
    QString issued = "9-Dec-21 3:5 PM";
    QString closed = "4/4/1990 12:00:00 AM";
    QString ne = "op1";
    QString description = "SPEED ISSUE";
    QString fe = "FE ONE";
    QString feMobile = "9700000001";
    QString mobile = "9100000001";
};

// Inserts the complaint and returns its number.
inline QString addComplaint(TestApp& t, const ComplaintRow& c)
{
    auto q = [](const QString& v) { return "'" + sql::text(v) + "'"; };
    t.exec("insert into complain(name,mobile,[issue date],description,status,[close date],ssa,fe,[fe mob],pending,address,[user id],circle,ap,ne,cat,srv) values("
           + QStringList{q(c.name), q(c.mobile), q(c.issued), q(c.description), q(c.status), q(c.closed), q(c.ssa), q(c.fe), q(c.feMobile),
                         QString::number(c.pending), q("1, MAIN ROAD"), q(c.user), q(c.circle), q("PUNE-AP-01"), q(c.ne), q("NA"), q(c.srv)}
                 .join(',')
           + ")");
    return t.value("select max(ID) from complain");
}

} // namespace k7t::test

#pragma once
// The HTML and text the simulated services answer with. Where the program reads a
// page's body text back, the page carries exactly that text in one <pre> block, so
// document.body.innerText gives it character for character (carriage returns included).
#include "RequestLog.h"
#include "SimData.h"

#include <QString>

namespace nocsim::pages {

constexpr int kLdapSearchTextLength = 227; // LDAP search page before the answer arrives
constexpr int kLdapHeaderLength = 61;      // header of the LDAP result text
constexpr int kPortalHoldTextLength = 82;  // registration portal before its answer
constexpr int kMacAnswerLength = 84;       // "/olt/onu_mac.php" answer, MAC at 11..27

QString escape(const QString& text);
// A whole page: title and body markup.
QString page(const QString& title, const QString& body);
// A page whose body text is exactly `text`.
QString textPage(const QString& title, const QString& text);
// `text` made exactly `length` characters long, filled or cut at the end.
QString fitted(const QString& text, int length, QChar fill = QLatin1Char(' '));

QString index();
QString notFound(const Incoming& request);

// LDAP tool
QString ldapSearch();
QString ldapResultText(const QString& userId, const std::optional<DirectoryEntry>& entry);
QString ldapResult(const QString& userId, const std::optional<DirectoryEntry>& entry);

// Registration portal
QString portalForm();
QString portalAnswer(const QString& telno, const std::optional<PortalLine>& line, int delayMs);

// OLT gateway
QString macAnswerText(const QString& ip, const QString& fragment, const SimData& data);
QString oltAction(const QString& path, const Incoming& request, const SimData& data);
bool isOltAction(const QString& path);
QString webPhone(const Incoming& request);

// Notifications and the database host's pages
QString smsAnswer(const Incoming& request, int messageId);
QString complaintClosed(const Incoming& request);
QString policy(const QString& userId, const QString& nasIp, const std::optional<DirectoryEntry>& entry);
QString ap(const std::optional<DirectoryEntry>& entry);

} // namespace nocsim::pages

#pragma once
#include <QDateTime>
#include <QString>

#include "shell/events/kveventlog.h"
#include "snmp/snmpnotification.h"

// How the program names and writes the switch's notifications.
namespace kveventtext {

// The event of a received notification: its type by name, the port it
// concerns (linkUp and linkDown name it by its ifIndex; so do notifications
// that carry ifIndex, ifAdminStatus or ifOperStatus of a port) and its
// variables, each by name where it has one, with the instance, and its value.
KvEvent Describe(const SnmpNotification& notification, const QDateTime& received);

// The name of a notification type, or the dotted OID itself.
QString TypeName(const std::string& trapOid);

// The status bar's line: "linkDown: port 7, 10:42:03" ("coldStart, 10:42:03"
// without a port).
QString ShortLine(const KvEvent& event);

// What happened to a port, for its button's accessible description:
// "linkDown at 10:42:03".
QString PortDescription(const KvEvent& event);

// Whether the event concerns a port's link (the panel is read again).
bool IsLinkEvent(const KvEvent& event);

} // namespace kveventtext

#include "shell/events/kveventtext.h"

#include <QStringList>

#include <string_view>

namespace {

// clang-format off
struct Named {
    std::string_view oid;
    const char* name;
};

// Notification types.
constexpr Named kTypes[] = {
    {"1.3.6.1.6.3.1.1.5.1",  "coldStart"},
    {"1.3.6.1.6.3.1.1.5.2",  "warmStart"},
    {"1.3.6.1.6.3.1.1.5.3",  "linkDown"},
    {"1.3.6.1.6.3.1.1.5.4",  "linkUp"},
    {"1.3.6.1.6.3.1.1.5.5",  "authenticationFailure"},
    {"1.3.6.1.6.3.1.1.5.6",  "egpNeighborLoss"},
    {"1.3.6.1.2.1.17.0.1",   "newRoot"},
    {"1.3.6.1.2.1.17.0.2",   "topologyChange"},
    {"1.3.6.1.2.1.16.0.1",   "risingAlarm"},
    {"1.3.6.1.2.1.16.0.2",   "fallingAlarm"},
};

// Variables that notifications carry (the column; the instance follows).
constexpr Named kVariables[] = {
    {"1.3.6.1.2.1.1.3",         "sysUpTime"},
    {"1.3.6.1.2.1.2.2.1.1",     "ifIndex"},
    {"1.3.6.1.2.1.2.2.1.2",     "ifDescr"},
    {"1.3.6.1.2.1.2.2.1.7",     "ifAdminStatus"},
    {"1.3.6.1.2.1.2.2.1.8",     "ifOperStatus"},
    {"1.3.6.1.2.1.31.1.1.1.1",  "ifName"},
    {"1.3.6.1.6.3.1.1.4.3",     "snmpTrapEnterprise"},
    {"1.3.6.1.6.3.18.1.3",      "snmpTrapAddress"},
    {"1.3.6.1.6.3.18.1.4",      "snmpTrapCommunity"},
};

// ifAdminStatus and ifOperStatus values.
constexpr const char* kIfStatus[] = {"", "up", "down", "testing", "unknown", "dormant", "notPresent", "lowerLayerDown"};
// clang-format on

constexpr std::string_view kLinkDown = "1.3.6.1.6.3.1.1.5.3";
constexpr std::string_view kLinkUp = "1.3.6.1.6.3.1.1.5.4";
constexpr std::string_view kIfIndex = "1.3.6.1.2.1.2.2.1.1";
constexpr std::string_view kIfAdminStatus = "1.3.6.1.2.1.2.2.1.7";
constexpr std::string_view kIfOperStatus = "1.3.6.1.2.1.2.2.1.8";
// The switch's ports are its interfaces 1 to 26.
constexpr int kPortCount = 26;

// The variable's column name and its instance ("ifAdminStatus", "7"), or
// null when it has no name.
const Named* ColumnOf(std::string_view oid, std::string_view& instance)
{
    for (const Named& v : kVariables) {
        if (oid.size() > v.oid.size() && oid.substr(0, v.oid.size()) == v.oid && oid[v.oid.size()] == '.') {
            instance = oid.substr(v.oid.size() + 1);
            return &v;
        }
    }
    return nullptr;
}

QString Hex(const std::vector<uint8_t>& octets)
{
    QStringList parts;
    for (uint8_t b : octets)
        parts << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(' '));
}

QString ValueText(const SnmpVb& vb, const Named* column)
{
    switch (vb.tag) {
    case tagInteger: {
        const int32_t v = vb.Integer();
        if (column && (column->oid == kIfAdminStatus || column->oid == kIfOperStatus) && v > 0 &&
            v < static_cast<int32_t>(std::size(kIfStatus)))
            return QStringLiteral("%1(%2)").arg(QLatin1String(kIfStatus[v])).arg(v);
        return QString::number(v);
    }
    case tagCounter32:
    case tagGauge32:
    case tagTimeTicks:
    case tagUInteger32:
    case tagCounter64:
        return QString::number(vb.number);
    case tagIpAddress:
        if (vb.octets.size() == 4)
            return QStringLiteral("%1.%2.%3.%4")
                .arg(vb.octets[0])
                .arg(vb.octets[1])
                .arg(vb.octets[2])
                .arg(vb.octets[3]);
        return Hex(vb.octets);
    case tagOctets: {
        for (uint8_t b : vb.octets)
            if (b < 0x20 || b > 0x7E)
                return Hex(vb.octets);
        return QString::fromLatin1(reinterpret_cast<const char*>(vb.octets.data()),
                                   static_cast<qsizetype>(vb.octets.size()));
    }
    case tagOid: {
        QStringList arcs;
        for (uint32_t a : vb.arcs)
            arcs << QString::number(a);
        return arcs.join(QLatin1Char('.'));
    }
    case tagNoSuchObject:
        return QStringLiteral("noSuchObject");
    case tagNoSuchInstance:
        return QStringLiteral("noSuchInstance");
    case tagEndOfMibView:
        return QStringLiteral("endOfMibView");
    case tagNull:
        return QStringLiteral("NULL");
    default:
        return Hex(vb.octets);
    }
}

// The port an interface number is, 0 for none.
int PortOf(long long ifIndex)
{
    return ifIndex >= 1 && ifIndex <= kPortCount ? static_cast<int>(ifIndex) : 0;
}

QString TimeText(const QDateTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

namespace kveventtext {

QString TypeName(const std::string& trapOid)
{
    for (const Named& t : kTypes)
        if (t.oid == trapOid)
            return QString::fromLatin1(t.name);
    return QString::fromStdString(trapOid);
}

KvEvent Describe(const SnmpNotification& n, const QDateTime& received)
{
    KvEvent event;
    event.time = received;
    event.trapOid = QString::fromStdString(n.trapOid);
    event.type = TypeName(n.trapOid);
    const char* version = n.version == 0 ? "v1" : n.version == 1 ? "v2c" : "v3";
    event.how = QStringLiteral("%1 %2").arg(QLatin1String(version),
                                            n.inform ? QStringLiteral("inform") : QStringLiteral("trap"));
    QStringList variables;
    for (const SnmpVb& vb : n.vbs) {
        std::string_view instance;
        const Named* column = ColumnOf(vb.oid, instance);
        const QString name = column ? QStringLiteral("%1.%2").arg(QLatin1String(column->name),
                                                                  QLatin1String(instance.data(), instance.size()))
                                    : QString::fromStdString(vb.oid);
        variables << name + QStringLiteral(" = ") + ValueText(vb, column);
        if (event.port || !column)
            continue;
        // The port: the value of ifIndex, or the instance of the status.
        if (column->oid == kIfIndex && vb.tag == tagInteger)
            event.port = PortOf(vb.Integer());
        else if (column->oid == kIfAdminStatus || column->oid == kIfOperStatus)
            event.port = PortOf(QString::fromLatin1(instance.data(), instance.size()).toLongLong());
    }
    event.variables = variables.join(QStringLiteral("; "));
    return event;
}

QString ShortLine(const KvEvent& event)
{
    if (event.port)
        return QStringLiteral("%1: port %2, %3").arg(event.type).arg(event.port).arg(TimeText(event.time));
    return QStringLiteral("%1, %2").arg(event.type, TimeText(event.time));
}

QString PortDescription(const KvEvent& event)
{
    return QStringLiteral("%1 at %2").arg(event.type, TimeText(event.time));
}

bool IsLinkEvent(const KvEvent& event)
{
    const std::string oid = event.trapOid.toStdString();
    return oid == kLinkDown || oid == kLinkUp;
}

} // namespace kveventtext

#include "sim/simagentconfig.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/snmpusm.h>

#include "sim/simvalue.h"

namespace {

// The documented SNMPv3 users (README).
struct UserRow {
    const char* name;
    const char* createLine; // arguments of Net-SNMP's createUser
};

// clang-format off
const UserRow users[] = {
    {"sha-user",         "sha-user SHA sha-auth-pass AES sha-priv-pass"},
    {"md5-user",         "md5-user MD5 md5-auth-pass DES md5-priv-pass"},
    {"sha224-user",      "sha224-user SHA-224 sha224-auth-pass AES sha224-priv-pass"},
    {"sha256-user",      "sha256-user SHA-256 sha256-auth-pass AES256 sha256-priv-pass"},
    {"sha384-user",      "sha384-user SHA-384 sha384-auth-pass AES192 sha384-priv-pass"},
    {"sha512-user",      "sha512-user SHA-512 sha512-auth-pass AES256 sha512-priv-pass"},
    {"auth-user",        "auth-user SHA auth-user-pass"},
    {"sha256-auth-user", "sha256-auth-user SHA-256 sha256-auth-user-pass"},
    {"noauth-user",      "noauth-user"},
};
// clang-format on

// The communities and the word the request log writes for each: the log
// says which community a request used, never its text.
const char readCommunity[] = "ravine";
const char writeCommunity[] = "lantern";
const SimPduLog::Community communities[] = {
    {readCommunity, "read"},
    {writeCommunity, "write"},
};

// Communities, groups, views and access rights; these rows show in the
// agent's VACM tables.
const std::string communityConfig[] = {
    std::string("com2sec readSec  default ") + readCommunity,
    std::string("com2sec writeSec default ") + writeCommunity,
};
const char* const accessConfig[] = {
    "group readGroup  v1  readSec",
    "group readGroup  v2c readSec",
    "group writeGroup v1  writeSec",
    "group writeGroup v2c writeSec",
    "group adminGroup usm sha-user",
    "group adminGroup usm md5-user",
    "group adminGroup usm sha224-user",
    "group adminGroup usm sha256-user",
    "group adminGroup usm sha384-user",
    "group adminGroup usm sha512-user",
    "group authGroup  usm auth-user",
    "group authGroup  usm sha256-auth-user",
    "group guestGroup usm noauth-user",
    "view  all included .1",
    "access readGroup  \"\" any noauth exact all none none",
    "access writeGroup \"\" any noauth exact all all  none",
    "access adminGroup \"\" usm priv   exact all all  all",
    "access authGroup  \"\" usm auth   exact all all  none",
    "access guestGroup \"\" usm noauth exact all all  none",
    // A management station in the SNMP target tables (read-only rows).
    "targetAddr nms .1.3.6.1.6.1.1 0x7f00000100a2 1500 3 \"trap\" nmsParams 5 1",
    "targetParams nmsParams 1 2 readSec 1 5 1",
    // The simulator's notifications go as traps to every target address
    // entry whose tag list holds "trap" (read-only row).
    "snmpNotifyTable nms trap 1 5 1",
};

} // namespace

bool SimAgentConfig::Prepare(const std::string& stateFile, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!stateFile.empty()) {
        // Net-SNMP's own state (users, engine boots, SNMPv3 table rows)
        // stays beside the state file, so it survives restarts too.
        privateDir_ = stateFile + ".netsnmp";
        removePrivateDir_ = false;
        fs::create_directories(privateDir_, ec);
        if (ec) {
            error = privateDir_ + ": cannot create (" + ec.message() + ")";
            return false;
        }
    } else {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/osprey-sim.XXXXXX";
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        if (!mkdtemp(buf.data())) {
            error = pattern + ": cannot create a private directory (" + std::strerror(errno) + ")";
            return false;
        }
        privateDir_ = buf.data();
        removePrivateDir_ = true;
    }
    fs::create_directories(NetsnmpDir(), ec);
    if (ec) {
        error = privateDir_ + ": cannot create its sub-directories (" + ec.message() + ")";
        return false;
    }
    return true;
}

void SimAgentConfig::Remove()
{
    if (removePrivateDir_ && !privateDir_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(privateDir_, ec);
        privateDir_.clear();
    }
}

std::string SimAgentConfig::NetsnmpDir() const
{
    return privateDir_ + "/net-snmp";
}

bool SimAgentConfig::Write(const std::string& engineId, const std::vector<std::string>& extra, std::string& error) const
{
    // The ".local" file is ours; Net-SNMP keeps its own state in
    // osprey-sim.conf beside it.
    const std::string path = NetsnmpDir() + "/" + appName + ".local.conf";
    std::ofstream out(path, std::ios::trunc);
    if (!out) {
        error = path + ": cannot write (" + std::strerror(errno) + ")";
        return false;
    }
    out << "# Written by osprey-sim at every start.\n";
    out << "exactEngineID 0x" << SimValue::Hex(engineId) << "\n";
    for (const std::string& line : communityConfig)
        out << line << "\n";
    for (const char* line : accessConfig)
        out << line << "\n";
    for (const std::string& line : extra)
        out << line << "\n";
    out.flush();
    if (!out) {
        error = path + ": write failed";
        return false;
    }
    return true;
}

void SimAgentConfig::CreateUsers()
{
    u_char id[64];
    const size_t idLen = snmpv3_get_engineID(id, sizeof id);
    for (const UserRow& u : users) {
        if (usm_get_user(id, idLen, const_cast<char*>(u.name)))
            continue; // kept from an earlier run (persistent directory)
        std::vector<char> line(u.createLine, u.createLine + std::strlen(u.createLine) + 1);
        usm_parse_create_usmUser("createUser", line.data());
    }
}

std::vector<SimPduLog::Community> SimAgentConfig::Communities()
{
    return std::vector<SimPduLog::Community>(std::begin(communities), std::end(communities));
}

std::string SimAgentConfig::ReadCommunity()
{
    return readCommunity;
}

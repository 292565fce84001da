// Communities and SNMPv3 passwords on the program's command line: read, and
// then gone from the process's argument vector (what ps and
// /proc/PID/cmdline show other users), in a child process.
#include "shell/kvhandedsecrets.h"
#include "shell/kvstartup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr size_t npos = std::string::npos;

TEST(SecretArguments, CommunitiesAndPasswordsAreTheSecretValues)
{
    struct Case {
        const char* parameter;
        size_t from;
    };
    const Case cases[] = {
        {"/Rpublic", 2},
        {"/Wprivate", 2},
        {"/Aauth-secret", 2},
        {"/Ppriv-secret", 2},
        {"/I10.1.1.1", npos},
        {"/v3", npos},
        {"/nadmin", npos},
        {"/a3", npos},
        {"/p4", npos},
        {"/t161", npos},
        {"/cctx", npos},
        {"/d8000", npos},
        {"--page", npos},
        {"Port Control Table", npos},
        // The switch that start-up applies decides, as it does there.
        {"/R/Acommunity", 2},
        {"x/Asecret", 3},
        {"/I10.1.1.1/Rx", npos},
        {"/v3/Rx", 5},
        {"/nuser/Asecret", npos},
        {"/A", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KvStartup::SecretValueStart(c.parameter), c.from) << c.parameter;
}

// Runs the probe with `arguments` (and `environment`, "NAME=value" quoted for
// the shell, before it); its output lines.
std::vector<std::string> Probe(const std::vector<std::string>& arguments, const std::string& environment = "")
{
    std::string command = environment + " '" + std::string(ARGV_PROBE_PATH) + "'";
    for (const std::string& a : arguments)
        command += " '" + a + "'";
    std::vector<std::string> lines;
    FILE* out = popen(command.c_str(), "r");
    if (!out)
        return lines;
    std::string line;
    for (int c; (c = std::fgetc(out)) != EOF;) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(static_cast<char>(c));
        }
    }
    pclose(out);
    return lines;
}

TEST(SecretArguments, AreGoneFromTheProcessArgumentsOnceRead)
{
    const std::vector<std::string> arguments = {"/I10.1.1.1",    "/Rread-s3cret", "/Wwrite-s3cret",
                                                "/v3",           "/nadmin",       "/a3",
                                                "/Aauth-s3cret", "/p4",           "/Ppriv-s3cret"};
    const std::vector<std::string> lines = Probe(arguments);
    ASSERT_EQ(lines.size(), 4 + arguments.size());
    const std::string& cmdline = lines[0];
    EXPECT_EQ(cmdline.find("s3cret"), npos) << cmdline;
    // The switches themselves, and everything else, stay.
    for (const char* kept : {"|/I10.1.1.1|", "|/R|", "|/W|", "|/v3|", "|/nadmin|", "|/a3|", "|/A|", "|/p4|", "|/P|"})
        EXPECT_NE(cmdline.find(kept), npos) << kept << " in " << cmdline;
    // The program read them all, secrets included.
    for (size_t i = 0; i < arguments.size(); ++i)
        EXPECT_EQ(lines[i + 1], "kept " + arguments[i]);
}

// The private way in: the secrets in the environment, never on a command
// line, read once and wiped from the process's memory and environment.
TEST(SecretArguments, SecretsHandedInTheEnvironmentAreTakenAndWiped)
{
    const std::vector<std::string> lines =
        Probe({"/I10.1.1.1", "/v1"},
              "OSPREY_SECRETS=\"$(printf 'read=r-s3cret\\nwrite=w s3cret\\r\\n\\nauth=a=s3cret\\n')\"");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "cmdline " + std::string(ARGV_PROBE_PATH) + "|/I10.1.1.1|/v1|");
    EXPECT_EQ(lines[3], "handed r-s3cret w s3cret a=s3cret -");
    EXPECT_EQ(lines[4], "environ clean");
    EXPECT_EQ(lines[5], "getenv unset");

    struct Case {
        const char* text;
        bool ok;
        const char* problem;
    };
    const Case cases[] = {
        {"", true, ""},
        {"priv=\n", true, ""},
        {"read=a\nread=b\n", false, "read= is given twice"},
        {"read=a\ncommunity=b\n", false, "line 2 is not read=, write=, auth= or priv="},
        {"readpublic\n", false, "line 1 is not"},
    };
    for (const Case& c : cases) {
        KvHandedSecrets secrets;
        std::string problem;
        EXPECT_EQ(KvHandedSecrets::Parse(c.text, secrets, problem), c.ok) << c.text;
        EXPECT_EQ(problem.find(c.problem), 0u) << problem;
        EXPECT_EQ(problem.find("public"), npos) << "the secret itself in the message";
    }
    KvHandedSecrets secrets;
    secrets.write = "w";
    secrets.priv = "";
    EXPECT_EQ(secrets.Format(), "write=w\npriv=\n");
}

} // namespace

// Conversions of the request engine between wire values, value texts and index
// sub-identifiers; expressions and conditions; the status mapping.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>

#include "common/kverror.h"
#include "common/kvoptionlist.h"
#include "snmp/kvsnmprequest.h"
#include "snmp/kvsnmpsession.h"

namespace {

const KvOptionDef kModeNames[] = {{0, nullptr, "STP Compatibility"}, {2, nullptr, "RSTP"}, {0, nullptr, nullptr}};
const KvOptionList kModes(KvOptionList::kIntegerValues, kModeNames);

// A request whose list holds one element per given (syntax, access).
struct Var {
    uint32_t syntax;
    uint32_t access;
    const KvOptionList* options = nullptr;
};

class TestRequest : public KvSNMPRequest {
public:
    TestRequest(std::initializer_list<Var> vars, uint8_t kind = kvListScalars, int32_t keys = 0)
    {
        defs_.reserve(vars.size() + 1);
        int n = 0;
        for (const Var& v : vars) {
            oids_.push_back("1.3.6.1.4.1.32473.1." + std::to_string(++n));
            defs_.push_back(VarDef{nullptr, "v", v.syntax, v.access, v.options, nullptr, nullptr, nullptr});
        }
        for (size_t i = 0; i < oids_.size(); ++i)
            defs_[i].oid = oids_[i].c_str();
        defs_.push_back(VarDef{nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr});
        variables = KvSNMPVarList(defs_.data(), kind, keys);
        address = "127.0.0.1";
        port = 161;
        version = 0;
    }

    std::string Read(int i, const SnmpVb& vb)
    {
        VbToValue(i, vb);
        return variables[i].value;
    }

private:
    std::vector<std::string> oids_;
    std::vector<VarDef> defs_;
};

SnmpVb Octets(std::vector<uint8_t> bytes)
{
    SnmpVb vb;
    vb.SetOctets(tagOctets, std::move(bytes));
    return vb;
}

SnmpVb Unsigned(uint8_t tag, uint32_t v)
{
    SnmpVb vb;
    vb.SetUnsigned(tag, v);
    return vb;
}

std::vector<uint8_t> DoubleOctets(double d)
{
    std::vector<uint8_t> o(8);
    std::memcpy(o.data(), &d, 8);
    return o;
}

int CodeOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const KvError& e) {
        return e.code();
    }
    return 0;
}

} // namespace

TEST(RequestConversion, WireToTextForEverySyntax)
{
    TestRequest r({{synTruthValue, accRO},
                   {synInteger, accRO},
                   {synOctets, accRO},
                   {synNull, accRO},
                   {synOid, accRO},
                   {synIpAddress, accRO},
                   {synCounter32, accRO},
                   {synTimeTicks, accRO},
                   {synCounter64, accRO},
                   {synFloat, accRO},
                   {synMacAddress, accRO},
                   {synDateAndTime, accRO},
                   {synFloatDate, accRO},
                   {synDisplayString, accRO},
                   {synOpaque, accRO},
                   {synNetAddress, accRO}});
    SnmpVb v;
    v.SetInteger(5);
    EXPECT_EQ(r.Read(0, v), "true");
    v.SetInteger(0);
    EXPECT_EQ(r.Read(0, v), "false");
    v.SetInteger(-42);
    EXPECT_EQ(r.Read(1, v), "-42");
    EXPECT_EQ(r.Read(2, Octets({0x00, 0xA1, 0xFF})), "00A1FF");
    v.SetNull();
    EXPECT_EQ(r.Read(3, v), "(NULL)");
    v.SetObjectId({1, 3, 6, 1, 4294967295u});
    EXPECT_EQ(r.Read(4, v), "1.3.6.1.4294967295");
    SnmpVb ip;
    ip.SetOctets(tagIpAddress, {10, 90, 90, 90});
    EXPECT_EQ(r.Read(5, ip), "10.90.90.90");
    EXPECT_EQ(r.Read(15, ip), "10.90.90.90");
    EXPECT_EQ(r.Read(6, Unsigned(tagCounter32, 4294967295u)), "4294967295");
    EXPECT_EQ(r.Read(7, Unsigned(tagTimeTicks, 2 * 8640000 + 3 * 360000 + 4 * 6000 + 5 * 100 + 6)),
              "2 days, 3:04:05.06");
    EXPECT_EQ(r.Read(7, Unsigned(tagTimeTicks, 8640000)), "1 day 0:00:00.00");
    SnmpVb c64;
    c64.SetCounter64(18446744073709551615ull);
    EXPECT_EQ(r.Read(8, c64), "18446744073709551615");
    EXPECT_EQ(r.Read(9, Octets(DoubleOctets(2.5))), "2.5");
    EXPECT_EQ(r.Read(10, Octets({0x00, 0x11, 0x22, 0xAA, 0xBB, 0xCC})), "001122AABBCC");
    // Year in network order on the wire.
    EXPECT_EQ(r.Read(11, Octets({0x07, 0xD5, 3, 7, 13, 5, 9, 0, '-', 5, 30})), "2005-3-7,13:5:9.0,-5:30");
    EXPECT_EQ(r.Read(11, Octets({0x07, 0xD5, 3, 7, 13, 5, 9, 0})), "2005-3-7,13:5:9.0");
    EXPECT_EQ(r.Read(12, Octets(DoubleOctets(38418.5))), "2005/03/07 12:00:00 pm");
    EXPECT_EQ(r.Read(12, Octets(DoubleOctets(38418.25))), "2005/03/07 06:00:00 am");
    // A zero byte inside is no text: hexadecimal, not cut after "ab".
    EXPECT_EQ(r.Read(13, Octets({'a', 'b', 0, 'c'})), "0x61620063");
    SnmpVb opaque;
    opaque.SetOctets(tagOpaque, {0xDE, 0xAD});
    EXPECT_EQ(r.Read(14, opaque), "DEAD");
}

TEST(RequestConversion, EmptyAndAbsentValues)
{
    TestRequest r({{synOctets, accRO}, {synDisplayString, accRO}, {synInteger, accRO}, {synOid, accRO}});
    EXPECT_EQ(r.Read(0, Octets({})), "");
    EXPECT_EQ(r.Read(1, Octets({})), "");
    SnmpVb v;
    v.SetObjectId({});
    EXPECT_EQ(r.Read(3, v), "(NULL)");
    // SNMPv2 exceptions carry no value.
    SnmpVb missing;
    missing.tag = tagNoSuchInstance;
    EXPECT_EQ(r.Read(2, missing), "(NULL)");
    EXPECT_EQ(r.Read(0, missing), "(NULL)");
    EXPECT_EQ(r.Read(1, missing), "");

    // What the switch sent is kept beside the text: an exception, or a value
    // of another type shown in its printable form, is no value of the
    // variable; the next answer of the right type is.
    EXPECT_TRUE(r.variables[1].answerUnfit);
    SnmpVb seven;
    seven.SetInteger(7);
    EXPECT_EQ(r.Read(0, seven), "7");
    EXPECT_TRUE(r.variables[0].answerUnfit);
    EXPECT_EQ(r.Read(0, Octets({0x07})), "07");
    EXPECT_FALSE(r.variables[0].answerUnfit);
    EXPECT_EQ(r.Read(2, seven), "7");
    EXPECT_FALSE(r.variables[2].answerUnfit);
    EXPECT_EQ(r.Read(2, Unsigned(tagCounter32, 7)), "7");
    EXPECT_TRUE(r.variables[2].answerUnfit);
    SnmpVb null;
    null.SetNull();
    r.Read(0, null);
    EXPECT_FALSE(r.variables[0].answerUnfit) << "NULL is an empty value, not another type";
}

TEST(RequestConversion, ShortValuesAreRejected)
{
    TestRequest r({{synFloat, accRO}, {synDateAndTime, accRO}, {synFloatDate, accRO}, {synIpAddress, accRO}});
    EXPECT_EQ(CodeOf([&] { r.Read(0, Octets({1, 2, 3, 4, 5, 6, 7})); }), -518);
    EXPECT_EQ(CodeOf([&] { r.Read(1, Octets({0x07, 0xD5, 3, 7, 13, 5, 9, 0, '+', 1})); }), -518);
    EXPECT_EQ(CodeOf([&] { r.Read(1, Octets({0x07, 0xD5, 3})); }), -518);
    EXPECT_EQ(CodeOf([&] { r.Read(2, Octets({1, 2, 3, 4})); }), -518);
    EXPECT_EQ(CodeOf([&] { r.Read(3, Octets({10, 0, 0})); }), -518);
    // The value is left as it was.
    r.variables[0].value = "before";
    EXPECT_EQ(CodeOf([&] { r.Read(0, Octets({1})); }), -518);
    EXPECT_EQ(r.variables[0].value, "before");
}

TEST(RequestConversion, DayCountsAndTextsThatHoldNoDateAreRejected)
{
    TestRequest r({{synFloatDate, accRW}, {synFloatDate, accIdx}}, kvListTable, 2);
    SnmpVb vb;
    for (const char* bad : {"", "tomorrow", "2005/02/30", "2005/03/07 13:00:00 pm"}) {
        SCOPED_TRACE(bad);
        r.variables[0].value = bad;
        EXPECT_EQ(CodeOf([&] { r.ValueToVb(0, vb); }), -518);
        r.variables[1].value = bad;
        EXPECT_EQ(CodeOf([&] { r.EncodeIndex(1); }), -518);
    }
    EXPECT_EQ(CodeOf([&] { r.Read(0, Octets(DoubleOctets(std::nan("")))); }), -518);
    EXPECT_EQ(CodeOf([&] { r.Read(0, Octets(DoubleOctets(1e300))); }), -518);
    // A time without seconds keeps its am/pm.
    r.variables[0].value = "2005/03/07 1:05 pm";
    r.ValueToVb(0, vb);
    double d = 0;
    std::memcpy(&d, vb.octets.data(), 8);
    EXPECT_NEAR(d, 38418 + (13 * 60 + 5) / 1440.0, 1e-9);
}

TEST(RequestConversion, UnknownSyntaxRaises511)
{
    TestRequest r({{99, accRW}});
    SnmpVb v;
    v.SetInteger(1);
    EXPECT_EQ(CodeOf([&] { r.Read(0, v); }), -511);
    r.variables[0].value = "1";
    EXPECT_EQ(CodeOf([&] { r.ValueToVb(0, v); }), -511);
    EXPECT_EQ(CodeOf([&] { r.DecodeIndex(0, "1"); }), -511);
    EXPECT_EQ(CodeOf([&] { r.EncodeIndex(0); }), -511);
}

TEST(RequestConversion, TextToWireForEverySyntax)
{
    TestRequest r({{synTruthValue, accRW},
                   {synInteger, accRW},
                   {synOctets, accRW},
                   {synOid, accRW},
                   {synIpAddress, accRW},
                   {synGauge32, accRW},
                   {synTimeTicks, accRW},
                   {synCounter64, accRW},
                   {synFloat, accRW},
                   {synDateAndTime, accRW},
                   {synFloatDate, accRW},
                   {synDisplayString, accRW},
                   {synOpaque, accRW},
                   {synUInteger32, accRW}});
    auto write = [&](int i, const std::string& text) {
        r.variables[i].value = text;
        SnmpVb vb;
        r.ValueToVb(i, vb);
        return vb;
    };
    EXPECT_EQ(write(0, "true").Integer(), 1);
    EXPECT_EQ(write(0, "TRUE").Integer(), 0);
    SnmpVb v = write(1, " -17x");
    EXPECT_EQ(v.tag, tagInteger);
    EXPECT_EQ(v.Integer(), -17);
    v = write(2, "A 1f");
    EXPECT_EQ(v.tag, tagOctets);
    EXPECT_EQ(v.octets, (std::vector<uint8_t>{0x0A, 0x1F}));
    EXPECT_EQ(write(2, "ABC").octets, (std::vector<uint8_t>{0x0A, 0xBC}));
    EXPECT_EQ(write(2, "zz").octets, (std::vector<uint8_t>{0x00}));
    v = write(3, "1.3.6.1.6.3.10.1.1.2");
    EXPECT_EQ(v.tag, tagOid);
    EXPECT_EQ(v.arcs, (std::vector<uint32_t>{1, 3, 6, 1, 6, 3, 10, 1, 1, 2}));
    EXPECT_EQ(CodeOf([&] { write(3, "1..3"); }), -417);
    v = write(4, "192.168.1.254");
    EXPECT_EQ(v.tag, tagIpAddress);
    EXPECT_EQ(v.octets, (std::vector<uint8_t>{192, 168, 1, 254}));
    v = write(5, "4000000000");
    EXPECT_EQ(v.tag, tagGauge32);
    EXPECT_EQ(v.Unsigned(), 4000000000u);
    v = write(6, "2 days, 3:04:05.06");
    EXPECT_EQ(v.tag, tagTimeTicks);
    EXPECT_EQ(v.Unsigned(), 2u * 8640000 + 3 * 360000 + 4 * 6000 + 5 * 100 + 6);
    EXPECT_EQ(write(6, "1 day 0:00:00.00").Unsigned(), 8640000u);
    EXPECT_EQ(write(6, "12345").Unsigned(), 0u);
    v = write(7, "12345678901234");
    EXPECT_EQ(v.tag, tagCounter64);
    EXPECT_EQ(v.number, 12345678901234ull);
    v = write(8, "-0.125");
    ASSERT_EQ(v.octets.size(), 8u);
    double d = 0;
    std::memcpy(&d, v.octets.data(), 8);
    EXPECT_EQ(d, -0.125);
    EXPECT_EQ(write(9, "2005-3-7,13:5:9.0,-5:30").octets,
              (std::vector<uint8_t>{0x07, 0xD5, 3, 7, 13, 5, 9, 0, '-', 5, 30}));
    v = write(10, "2005/03/07 12:00:00 pm");
    std::memcpy(&d, v.octets.data(), 8);
    EXPECT_DOUBLE_EQ(d, 38418.5);
    v = write(10, "2005/03/07 12:00:00 am");
    std::memcpy(&d, v.octets.data(), 8);
    EXPECT_DOUBLE_EQ(d, 38418.0);
    EXPECT_EQ(write(11, "abc").octets, (std::vector<uint8_t>{'a', 'b', 'c'}));
    EXPECT_EQ(write(12, "0102").tag, tagOpaque);
    EXPECT_EQ(write(13, "7").tag, tagUInteger32);
    // "(NULL)" writes NULL whatever the syntax.
    EXPECT_EQ(write(1, "(NULL)").tag, tagNull);
    EXPECT_EQ(write(11, "(NULL)").tag, tagNull);
}

TEST(RequestConversion, ValueNamesAreAppliedBothWays)
{
    TestRequest r({{synInteger, accRW, &kModes}});
    SnmpVb v;
    v.SetInteger(2);
    EXPECT_EQ(r.Read(0, v), "RSTP");
    v.SetInteger(7);
    EXPECT_EQ(r.Read(0, v), "7");
    r.variables[0].value = "STP Compatibility";
    SnmpVb out;
    r.ValueToVb(0, out);
    EXPECT_EQ(out.Integer(), 0);
    r.variables[0].value = "rstp";
    r.ValueToVb(0, out);
    EXPECT_EQ(out.Integer(), 2);
}

// Under a locale whose decimal point is a comma (the program's window toolkit
// takes the locale from the environment) the value texts stay the same.
TEST(RequestConversion, TextsDoNotFollowTheLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const char* const names[] = {"de_DE.UTF-8", "de_DE.utf8",  "de_DE",       "fr_FR.UTF-8", "fr_FR.utf8",
                                 "nl_NL.UTF-8", "ru_RU.UTF-8", "es_ES.UTF-8", "it_IT.UTF-8"};
    bool comma = false;
    for (const char* name : names) {
        if (std::setlocale(LC_ALL, name) && std::string(std::localeconv()->decimal_point) == ",") {
            comma = true;
            break;
        }
    }
    if (!comma) {
        std::setlocale(LC_ALL, saved.c_str());
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    TestRequest r({{synFloat, accRW}, {synCounter64, accRW}, {synFloatDate, accRW}, {synTimeTicks, accRW}});
    EXPECT_EQ(r.Read(0, Octets(DoubleOctets(2.5))), "2.5");
    EXPECT_EQ(r.Read(0, Octets(DoubleOctets(-1.25e-7))), "-1.25e-07");
    r.variables[0].value = "0.125";
    SnmpVb vb;
    r.ValueToVb(0, vb);
    double d = 0;
    std::memcpy(&d, vb.octets.data(), 8);
    EXPECT_EQ(d, 0.125);
    r.variables[1].value = "1.5e3";
    r.ValueToVb(1, vb);
    EXPECT_EQ(vb.number, 1500u);
    r.variables[1].value = "18446744073709551615";
    r.ValueToVb(1, vb);
    EXPECT_EQ(vb.number, 18446744073709551615ull);
    EXPECT_EQ(r.Read(2, Octets(DoubleOctets(38418.5))), "2005/03/07 12:00:00 pm");
    r.variables[2].value = "2005/03/07 06:00:00 am";
    r.ValueToVb(2, vb);
    std::memcpy(&d, vb.octets.data(), 8);
    EXPECT_DOUBLE_EQ(d, 38418.25);
    EXPECT_EQ(r.Read(3, Unsigned(tagTimeTicks, 8640000 + 6)), "1 day 0:00:00.06");
    r.variables[0].value = "1.5";
    const std::string halves = r.EncodeIndex(0);
    r.DecodeIndex(0, halves);
    EXPECT_EQ(r.variables[0].value, "1.5");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(IndexCoding, ImpliedAndLengthPrefixedTexts)
{
    TestRequest implied({{synDisplayString, accIdxImplied}, {synInteger, accRO}}, kvListTableRows, 1);
    EXPECT_EQ(implied.DecodeIndex(0, "97.98.99"), "");
    EXPECT_EQ(implied.variables[0].value, "abc");
    EXPECT_EQ(implied.EncodeIndex(0), "97.98.99");

    TestRequest prefixed({{synDisplayString, accIdx}, {synInteger, accRO}}, kvListTableRows, 1);
    EXPECT_EQ(prefixed.DecodeIndex(0, "3.97.98.99"), "");
    EXPECT_EQ(prefixed.variables[0].value, "abc");
    EXPECT_EQ(prefixed.EncodeIndex(0), "3.97.98.99");
    EXPECT_EQ(prefixed.DecodeIndex(0, "1.97.98.99"), "98.99");
    EXPECT_EQ(prefixed.variables[0].value, "a");
    prefixed.variables[0].value = "";
    EXPECT_EQ(prefixed.EncodeIndex(0), "0");

    // The implied bit counts only on the last index column.
    TestRequest notLast({{synDisplayString, accIdxImplied}, {synInteger, accIdx}}, kvListTableRows, 2);
    EXPECT_EQ(notLast.DecodeIndex(0, "2.97.98.5"), "5");
    EXPECT_EQ(notLast.variables[0].value, "ab");
}

TEST(IndexCoding, OctetStringsOidsAddressesAndMacs)
{
    TestRequest r({{synOctets, accIdx},
                   {synOid, accIdx},
                   {synIpAddress, accIdx},
                   {synMacAddress, accIdx},
                   {synOid, accIdxImplied}},
                  kvListTableRows, 5);
    EXPECT_EQ(r.DecodeIndex(0, "4.128.0.31.136.9"), "9");
    EXPECT_EQ(r.variables[0].value, "80001F88");
    EXPECT_EQ(r.EncodeIndex(0), "4.128.0.31.136");
    EXPECT_EQ(r.DecodeIndex(1, "3.1.3.6.7"), "7");
    EXPECT_EQ(r.variables[1].value, "1.3.6");
    EXPECT_EQ(r.EncodeIndex(1), "3.1.3.6");
    EXPECT_EQ(r.DecodeIndex(2, "10.1.2.3.4"), "4");
    EXPECT_EQ(r.variables[2].value, "10.1.2.3");
    EXPECT_EQ(r.EncodeIndex(2), "10.1.2.3");
    EXPECT_EQ(r.DecodeIndex(3, "0.17.34.170.187.204"), "");
    EXPECT_EQ(r.variables[3].value, "001122AABBCC");
    r.variables[3].value = "001122AABBCC";
    EXPECT_EQ(r.EncodeIndex(3), "0.17.34.170.187.204");
    r.variables[3].value = "0011";
    EXPECT_EQ(r.EncodeIndex(3), "");
    EXPECT_EQ(r.DecodeIndex(4, "1.3.6.1"), "");
    EXPECT_EQ(r.variables[4].value, "1.3.6.1");
    EXPECT_EQ(r.EncodeIndex(4), "1.3.6.1");
}

TEST(IndexCoding, NumbersAndWideValues)
{
    TestRequest r({{synInteger, accIdx},
                   {synCounter64, accIdx},
                   {synFloat, accIdx},
                   {synTimeTicks, accIdx},
                   {synTruthValue, accIdx},
                   {synDateAndTime, accIdx}},
                  kvListTable, 6);
    EXPECT_EQ(r.DecodeIndex(0, "4294967295.5"), "5");
    EXPECT_EQ(r.variables[0].value, "-1");
    EXPECT_EQ(r.EncodeIndex(0), "4294967295");
    EXPECT_EQ(r.DecodeIndex(1, "1.2"), "");
    EXPECT_EQ(r.variables[1].value, "4294967298");
    EXPECT_EQ(r.EncodeIndex(1), "1.2");
    r.variables[2].value = "1.5";
    const std::string halves = r.EncodeIndex(2);
    EXPECT_EQ(r.DecodeIndex(2, halves), "");
    EXPECT_EQ(r.variables[2].value, "1.5");
    EXPECT_EQ(r.DecodeIndex(3, "360000"), "");
    EXPECT_EQ(r.variables[3].value, "1:00:00.00");
    EXPECT_EQ(r.EncodeIndex(3), "360000");
    EXPECT_EQ(r.DecodeIndex(4, "2"), "");
    EXPECT_EQ(r.variables[4].value, "true");
    // The row received stays the row addressed; a key typed anew is 1.
    EXPECT_EQ(r.EncodeIndex(4), "2");
    r.variables[4].value = "false";
    EXPECT_EQ(r.EncodeIndex(4), "0");
    TestRequest typed({{synTruthValue, accIdx}}, kvListTableRows, 1);
    typed.variables[0].value = "true";
    EXPECT_EQ(typed.EncodeIndex(0), "1");
    EXPECT_EQ(r.DecodeIndex(5, "7.213.3.7.13.5.9.0.43.0.0"), "");
    EXPECT_EQ(r.variables[5].value, "2005-3-7,13:5:9.0");
    EXPECT_EQ(r.EncodeIndex(5), "7.213.3.7.13.5.9.0.43.0.0");
}

// Keys whose text does not keep every bit of what the agent sent: a real
// number's 15 digits, a day count, a date-time's direction without an offset,
// a display string's padding. The row decoded is the row addressed again
// (walk steps after a column ends, writes), not a neighbour the text stands
// for; a key the operator changes is encoded from its text.
TEST(IndexCoding, LossyKeysAddressTheRowTheyCameFrom)
{
    TestRequest r({{synFloat, accIdx},
                   {synFloatDate, accIdx},
                   {synDateAndTime, accIdx},
                   {synDisplayString, accIdx},
                   {synInteger, accRO}},
                  kvListTable, 4);
    // 1.0000000000000002 (low word 1) shows as "1", which is 1.0 (low word 0).
    const std::string instance = "1.1072693248.1.1088602688.7.213.3.7.13.5.9.0.45.0.0.3.97.98.0";
    r.DecodeInstance(instance + ".77");
    EXPECT_EQ(r.variables[0].value, "1");
    EXPECT_EQ(r.variables[1].value, "2005/03/07 12:00:00 am");
    EXPECT_EQ(r.variables[2].value, "2005-3-7,13:5:9.0");
    EXPECT_EQ(r.variables[3].value, "ab");
    EXPECT_EQ(r.BuildInstance(), instance);

    r.variables[0].value = "1";
    EXPECT_EQ(r.EncodeIndex(0), "1.1072693248");
    r.variables[0].value = "2";
    EXPECT_EQ(r.EncodeIndex(0), "0.1073741824");
    r.variables[3].value = "ab";
    EXPECT_EQ(r.EncodeIndex(3), "3.97.98.0");
    r.variables[3].value = "abc";
    EXPECT_EQ(r.EncodeIndex(3), "3.97.98.99");
    // The lists a page copies keep what was decoded.
    KvSNMPVarList copy(r.variables);
    EXPECT_EQ(copy[2].decodedIndex->arcs, "7.213.3.7.13.5.9.0.45.0.0");
}

TEST(IndexCoding, ShortSuffixesAreRejected)
{
    TestRequest r({{synIpAddress, accIdx},
                   {synMacAddress, accIdx},
                   {synOctets, accIdx},
                   {synCounter64, accIdx},
                   {synDateAndTime, accIdx},
                   {synInteger, accIdx},
                   {synOctets, accIdxImplied}},
                  kvListTable, 7);
    EXPECT_EQ(CodeOf([&] { r.DecodeIndex(0, "10.1.2"); }), -514);
    EXPECT_EQ(CodeOf([&] { r.DecodeIndex(1, "1.2.3.4.5"); }), -514);
    EXPECT_EQ(CodeOf([&] { r.DecodeIndex(2, "5.1.2.3"); }), -514);
    EXPECT_EQ(CodeOf([&] { r.DecodeIndex(2, "4294967295"); }), -514);
    EXPECT_EQ(CodeOf([&] { r.DecodeIndex(3, "1"); }), -514);
    EXPECT_EQ(CodeOf([&] { r.DecodeIndex(4, "7.213.3.7.13.5.9.0.43.0"); }), -514);
    EXPECT_EQ(CodeOf([&] { r.DecodeIndex(5, ""); }), -514);
    EXPECT_EQ(CodeOf([&] { r.DecodeIndex(5, "1..2"); }), -514);
    // Sub-identifiers that are no octets.
    EXPECT_EQ(CodeOf([&] { r.DecodeIndex(6, "97.256"); }), -511);
}

TEST(IndexCoding, InstancesOfSeveralKeys)
{
    TestRequest r({{synOctets, accIdx}, {synDisplayString, accIdx}, {synDisplayString, accRO}}, kvListTable, 2);
    r.DecodeInstance("2.128.1.3.98.111.98");
    EXPECT_EQ(r.variables[0].value, "8001");
    EXPECT_EQ(r.variables[1].value, "bob");
    // Index columns that are not read take the row's OID.
    EXPECT_EQ(r.variables[0].lastOid, "1.3.6.1.4.1.32473.1.1.2.128.1.3.98.111.98");
    EXPECT_EQ(r.BuildInstance(), "2.128.1.3.98.111.98");
    EXPECT_EQ(CodeOf([&] { r.DecodeInstance("2.128.1"); }), -514);
    EXPECT_EQ(CodeOf([&] { r.DecodeInstance(""); }), -514);
}

TEST(RequestColumns, IsColumnFinished)
{
    TestRequest table({{synInteger, accRO}}, kvListTable, 0);
    const std::string base = "1.3.6.1.2.1.2.2.1.5";
    EXPECT_FALSE(table.IsColumnFinished(base, "", base + ".1"));
    EXPECT_FALSE(table.IsColumnFinished(base, base + ".1", base + ".2"));
    EXPECT_TRUE(table.IsColumnFinished(base, base + ".2", base + ".2")); // unchanged
    // Answers must come after the OID asked for, arc by arc.
    EXPECT_FALSE(table.IsColumnFinished(base, base + ".9", base + ".10"));
    EXPECT_TRUE(table.IsColumnFinished(base, base + ".10", base + ".9"));  // back
    EXPECT_TRUE(table.IsColumnFinished(base, base + ".2.5", base + ".2")); // a prefix comes first
    EXPECT_FALSE(table.IsColumnFinished(base, base + ".2", base + ".2.0"));
    EXPECT_TRUE(table.IsColumnFinished(base, base + ".2", "1.3.6.1.2.1.2.2.1.6.1"));
    EXPECT_TRUE(table.IsColumnFinished(base, "", base));
    // Arcs are compared, not characters: column .50 (an agent without the
    // columns between) is not more of column .5.
    EXPECT_TRUE(table.IsColumnFinished(base, base + ".9", "1.3.6.1.2.1.2.2.1.50.1"));
    EXPECT_TRUE(table.IsColumnFinished(base, base + ".9", base + "."));
    TestRequest scalars({{synInteger, accRO}}, kvListScalars, 0);
    EXPECT_FALSE(scalars.IsColumnFinished(base, base, "9.9"));
}

TEST(RequestExpressions, SubstituteVariables)
{
    TestRequest r({{synInteger, accRO},
                   {synTruthValue, accRO},
                   {synDisplayString, accRO},
                   {synTimeTicks, accRO},
                   {synInteger, accRO, &kModes}});
    r.variables[0].value = "12";
    r.variables[1].value = "true";
    r.variables[2].value = "a$0b";
    r.variables[3].value = "0:00:01.50";
    r.variables[4].value = "RSTP";
    EXPECT_EQ(r.SubstituteVariables("$0+$1*$3-$4", false, "$"), "12+1*150-2");
    EXPECT_EQ(r.SubstituteVariables("$2=x", true, "$"), "\"a$0b\"=x");
    int code = 0;
    try {
        r.SubstituteVariables("$2", false, "$");
    } catch (const KvError& e) {
        code = e.code();
    }
    EXPECT_EQ(code, -513);
    r.variables[0].value = "(NULL)";
    EXPECT_EQ(CodeOf([&] { r.SubstituteVariables("$0", false, "$"); }), -512);
    EXPECT_EQ(CodeOf([&] { r.SubstituteVariables("$9", false, "$"); }), -511);
    EXPECT_EQ(CodeOf([&] { r.SubstituteVariables("1+$", false, "$"); }), -511);
    EXPECT_EQ(r.SubstituteVariables("no references", false, "$"), "no references");
}

TEST(RequestExpressions, ApplyExpressionAndConditions)
{
    const VarDef table[] = {
        {"1.1", "a", synInteger, accRO, nullptr, nullptr, nullptr, nullptr},
        {"1.2", "b", synCounter32, accRO, nullptr, "$0*2", "$0-1", nullptr},
        {"1.3", "c", synTruthValue, accRO, nullptr, "$0-10", nullptr, nullptr},
        {"1.4", "d", synTimeTicks, accRO, nullptr, "$0*100", nullptr, nullptr},
        {"1.5", "e", synDisplayString, accRO, nullptr, "1", nullptr, nullptr},
        {"1.6", "f", synInteger, accRO, &kModes, "$0-10", nullptr, nullptr},
        {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
    };
    KvSNMPRequest r;
    r.variables = KvSNMPVarList(table, kvListScalars, 0);
    r.variables[0].value = "12";
    r.ApplyExpression(1, true);
    EXPECT_EQ(r.variables[1].value, "24");
    r.ApplyExpression(1, false);
    EXPECT_EQ(r.variables[1].value, "11");
    r.ApplyExpression(2, true);
    EXPECT_EQ(r.variables[2].value, "true");
    r.ApplyExpression(3, true);
    EXPECT_EQ(r.variables[3].value, "0:00:12.00");
    r.ApplyExpression(5, true);
    EXPECT_EQ(r.variables[5].value, "RSTP");
    EXPECT_EQ(CodeOf([&] { r.ApplyExpression(4, true); }), -513);
    r.variables[2].value = "before";
    r.ApplyExpression(2, false); // no set expression: unchanged
    EXPECT_EQ(r.variables[2].value, "before");

    EXPECT_TRUE(r.CheckRowCondition()); // empty condition
    r.variables[4].value = "abc";
    EXPECT_TRUE(r.CheckCondition("$4=abc"));
    EXPECT_FALSE(r.CheckCondition("$4=abd"));
    r.rowCondition = "$0=12&$4<>x";
    EXPECT_TRUE(r.CheckRowCondition());
}

TEST(RequestSettings, CopiedAtConstruction)
{
    KvSNMPDevice.address = "10.1.1.1";
    KvSNMPDevice.port = 1161;
    KvSNMPSecurity.version = 3;
    KvSNMPSecurity.securityName = "alice";
    KvSNMPScope.contextName = "ctx";
    defaultTimeout = 250;
    KvSNMPRequest before;
    KvSNMPDevice.address = "10.2.2.2";
    KvSNMPRequest after;
    EXPECT_EQ(before.address, "10.1.1.1");
    EXPECT_EQ(after.address, "10.2.2.2");
    EXPECT_EQ(before.port, 1161);
    EXPECT_EQ(before.version, 3);
    EXPECT_EQ(before.securityName, "alice");
    EXPECT_EQ(before.contextName, "ctx");
    EXPECT_EQ(before.timeout, 250);
    EXPECT_EQ(before.retries, 1);
    EXPECT_TRUE(before.active);
    EXPECT_EQ(before.pending, 0);
    KvSNMPDevice = {};
    KvSNMPSecurity = {};
    KvSNMPScope = {};
    defaultTimeout = 0;
}

TEST(RequestOperations, FailuresBeforeAnythingIsSent)
{
    TestRequest scalars({{synInteger, accRO}});
    EXPECT_EQ(CodeOf([&] { scalars.Fetch(false); }), -510);
    TestRequest row({{synInteger, accRO}}, kvListRow);
    EXPECT_EQ(CodeOf([&] { row.Fetch(false); }), -510);
    row.address = "";
    EXPECT_EQ(CodeOf([&] { row.Fetch(true); }), -509);
    TestRequest badKind({{synInteger, accRW}}, 9);
    EXPECT_EQ(CodeOf([&] { badKind.Store(false, KvWriteSet::All(badKind.variables)); }), -515);
    // A cell the walk did not read (a column that ended, or one the switch
    // has no cell for) is never written as its mark.
    TestRequest unread({{synDisplayString, accRW}, {synInteger, accRW}});
    unread.variables[0].value = "(NOTDONE)";
    unread.variables[1].value = "(NOTDONE)";
    EXPECT_EQ(CodeOf([&] { unread.Store(false, KvWriteSet{0}); }), -3);
    EXPECT_EQ(CodeOf([&] { unread.Store(false, KvWriteSet{1}); }), -3);
    // An inactive request does nothing.
    TestRequest inactive({{synInteger, accRO}});
    inactive.active = false;
    EXPECT_FALSE(inactive.Fetch(false));
    EXPECT_FALSE(inactive.Store(false, KvWriteSet::All(inactive.variables)));
}

TEST(RequestOperations, FailedStoreLeavesNoColumnSelectionBehind)
{
    TestRequest r({{synInteger, accRW}, {99, accRW}, {synInteger, accRW}});
    r.variables[1].value = "1";
    EXPECT_EQ(CodeOf([&] { r.Store(false, KvWriteSet{1}); }), -511);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(r.variables[i].access, accRW) << i;
}

// Status mapping: one case per row of the mapping.
struct MapCase {
    int status;
    int code;
    const char* message;
};

// "status -1401 gives 0" in test names.
void PrintTo(const MapCase& c, std::ostream* out)
{
    *out << "status " << c.status << " gives " << c.code;
}

class StatusMapping : public ::testing::TestWithParam<MapCase> {};

TEST_P(StatusMapping, GivesCodeAndMessage)
{
    int32_t code = 1;
    std::string message;
    KvSNMPRequest::MapStatus(GetParam().status, code, message);
    EXPECT_EQ(code, GetParam().code);
    EXPECT_EQ(message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StatusMapping,
    ::testing::Values(
        MapCase{0, 0, "(VoDADI++) Ok!"}, MapCase{1400, 0, "(VoDADI++) Ok!"}, MapCase{-1401, 0, "(VoDADI++) Ok!"},
        MapCase{1, -101, "(SNMP) Response PDU Too Big!"}, MapCase{2, -102, "(SNMP) Variable does not exist!"},
        MapCase{18, -118, "(SNMP) Cannot create variable, Inconsistent Name!"},
        MapCase{1401, -301, "(SNMPv3USM) error!"}, MapCase{1404, -304, "(SNMPv3USM) Unknown SecurityName!"},
        MapCase{1408, -308, "(SNMPv3USM) Authentication failure!"}, MapCase{1414, -314, "(SNMPv3USM) Address error!"},
        MapCase{-1402, -201, "(SNMPv3) Unsupported Security Model!"}, MapCase{-1418, -217, "(SNMPv3) Report sent!"},
        MapCase{-1, -401, "(SNMPClass) Operation failed!"}, MapCase{-5, -405, "(SNMPClass) SNMP request timed out!"},
        MapCase{-23, -423, "(SNMPClass) Blocked Mode Shutdown!"}, MapCase{19, -528, "(VoDADI++) Unknown error code!"},
        MapCase{-24, -528, "(VoDADI++) Unknown error code!"}, MapCase{-1400, -528, "(VoDADI++) Unknown error code!"},
        MapCase{1415, -528, "(VoDADI++) Unknown error code!"}, MapCase{-1419, -528, "(VoDADI++) Unknown error code!"}));

// An address key with a part above 255 is no address: the list would show a
// wrong one and the next walk step would start from another instance.
TEST(IndexCoding, AddressKeysRefuseArcsAbove255)
{
    TestRequest r({{synIpAddress, accIdx}, {synNetAddress, accIdx}, {synInteger, accRO}}, kvListTable, 2);
    r.variables[0].value = "before";
    EXPECT_EQ(CodeOf([&] { r.DecodeIndex(0, "300.1.2.3.7"); }), -511);
    EXPECT_EQ(CodeOf([&] { r.DecodeIndex(1, "10.1.2.256"); }), -511);
    EXPECT_EQ(r.variables[0].value, "before");
    EXPECT_EQ(CodeOf([&] { r.DecodeInstance("300.1.2.3.10.1.2.3"); }), -511);

    // An address text that is no dotted quad is not made into a key.
    for (const char* text : {"300.1.2.3", "1.2.3.4.5", "1.2.3"}) {
        r.variables[0].value = text;
        EXPECT_EQ(CodeOf([&] { r.EncodeIndex(0); }), -518) << text;
    }
    // The key of a row not read yet stays as it was.
    r.variables[0].value = "";
    EXPECT_EQ(r.EncodeIndex(0), "");
    r.variables[0].value = "192.168.1.1";
    EXPECT_EQ(r.EncodeIndex(0), "192.168.1.1");
}

TEST(RequestConversion, AddressesAreWrittenOnlyAsDottedQuads)
{
    TestRequest r({{synIpAddress, accRW}, {synNetAddress, accRW}});
    for (const char* text : {"192.168.1.300", "1.2.3.4.5", "-1.2.3.4", "1.2. 3.4", ""}) {
        r.variables[0].value = text;
        SnmpVb vb;
        EXPECT_EQ(CodeOf([&] { r.ValueToVb(0, vb); }), -518) << text;
    }
    r.variables[1].value = " 10.0.0.1 ";
    SnmpVb vb;
    r.ValueToVb(1, vb);
    EXPECT_EQ(vb.octets, (std::vector<uint8_t>{10, 0, 0, 1}));
}

TEST(RequestConversion, DisplayStringsHoldingNoTextTravelAsHex)
{
    TestRequest r({{synDisplayString, accRW}, {synDisplayString, accIdx}}, kvListTable, 1);
    const std::vector<uint8_t> engineId{0x80, 0x00, 0x1F, 0x88, 0x04, 0x6F, 0x73};
    EXPECT_EQ(r.Read(0, Octets(engineId)), "0x80001F88046F73");
    SnmpVb vb;
    r.ValueToVb(0, vb);
    EXPECT_EQ(vb.octets, engineId);
    r.variables[0].value = "public";
    r.ValueToVb(0, vb);
    EXPECT_EQ(vb.octets, (std::vector<uint8_t>{'p', 'u', 'b', 'l', 'i', 'c'}));
    // As an index key too.
    EXPECT_EQ(r.DecodeIndex(1, "2.128.0"), "");
    EXPECT_EQ(r.variables[1].value, "0x8000");
    EXPECT_EQ(r.EncodeIndex(1), "2.128.0");
}

TEST(RequestConversion, ASetWithoutVariablesIsNotBuilt)
{
    // An index and a read-only column of one row: nothing to write.
    TestRequest r({{synInteger, accIdx}, {synInteger, accRO}}, kvListRow, 0);
    EXPECT_EQ(CodeOf([&] { r.Store(false, KvWriteSet::All(r.variables)); }), -411);
    TestRequest skipped({{synInteger, accRW}});
    skipped.variables[0].access |= accSkip;
    EXPECT_EQ(CodeOf([&] { skipped.Store(false, KvWriteSet::All(skipped.variables)); }), -411);
}

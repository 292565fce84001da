// Values an agent sends: any tag with any content for every syntax a
// variable may have. A value is read into a text or refused with -518 (too
// short for its syntax) or -511 (an unknown syntax); a value of a fitting
// type, written back and read again, shows alike. The texts then go into
// the expressions and conditions that pages compute with.
//
// Input: SYNTAX TAG FLAGS, then 8 octets of a number, then the octets (also
// read as sub-identifiers, four octets each).
#include <iterator>
#include <optional>

#include "common/kverror.h"
#include "common/kvoptionlist.h"
#include "fuzzsupport.h"
#include "snmp/kvsnmprequest.h"

namespace {

const uint32_t kSyntaxes[] = {synTruthValue, synInteger,     synBits,      synOctets,        synNull,
                              synOid,        synIpAddress,   synCounter32, synGauge32,       synTimeTicks,
                              synOpaque,     synNetAddress,  synCounter64, synUInteger32,    synFloat,
                              synMacAddress, synDateAndTime, synFloatDate, synDisplayString, 0};

const uint8_t kTags[] = {tagInteger,      tagOctets,         tagNull,        tagOid,
                         tagIpAddress,    tagCounter32,      tagGauge32,     tagTimeTicks,
                         tagOpaque,       tagNsapAddress,    tagCounter64,   tagUInteger32,
                         tagNoSuchObject, tagNoSuchInstance, tagEndOfMibView};

const KvOptionDef kNames[] = {{1, nullptr, "up"}, {2, nullptr, "down"}, {0, nullptr, nullptr}};
const KvOptionList kOptions(KvOptionList::kIntegerValues, kNames);

const char* const kConditions[] = {"$0=\"up\"", "($0>1)&($0<5)", "!$0=0|$1=$0", "$0<>\"\""};
const char* const kExpressions[] = {"$0*2", "$0+1-$1", "($0)/(4)"};

class Request : public KvSNMPRequest {
public:
    Request(uint32_t syntax, bool named)
    {
        const VarDef table[] = {
            {"1.3.6.1.4.1.32473.9.1", "value", syntax, accRW, named ? &kOptions : nullptr, nullptr, nullptr, nullptr},
            {"1.3.6.1.4.1.32473.9.2", "count", synInteger, accRW, nullptr, nullptr, nullptr, nullptr},
            {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
        };
        variables = KvSNMPVarList(table, kvListScalars, 0);
        variables[1].value = "3";
    }

    using KvSNMPRequest::EvaluateCondition;
};

// Whether the wire type is the one the syntax is written with, so that
// writing the value back keeps it.
bool Fits(uint32_t syntax, uint8_t tag)
{
    switch (syntax) {
    case synTruthValue:
    case synInteger:
        return tag == tagInteger;
    case synBits:
    case synOctets:
    case synMacAddress:
    case synFloat:
    case synDateAndTime:
    case synFloatDate:
    case synDisplayString:
        return tag == tagOctets;
    case synOpaque:
        return tag == tagOpaque;
    case synOid:
        return tag == tagOid;
    case synIpAddress:
    case synNetAddress:
        return tag == tagIpAddress;
    case synCounter32:
        return tag == tagCounter32;
    case synGauge32:
        return tag == tagGauge32;
    case synTimeTicks:
        return tag == tagTimeTicks;
    case synUInteger32:
        return tag == tagUInteger32;
    case synCounter64:
        return tag == tagCounter64;
    default:
        return false;
    }
}

std::optional<std::string> Read(Request& request, const SnmpVb& vb)
{
    try {
        request.VbToValue(0, vb);
        return request.variables[0].value;
    } catch (const KvError& error) {
        fuzz::Check(error.code() == -518 || error.code() == -511, "a value is refused with -518 or -511");
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Reader reader(data, size);
    const uint32_t syntax = kSyntaxes[reader.Byte() % std::size(kSyntaxes)];
    const uint8_t tagByte = reader.Byte();
    const uint8_t tag = tagByte < 240 ? kTags[tagByte % std::size(kTags)] : tagByte;
    const uint8_t flags = reader.Byte();
    const uint64_t number = reader.Long();
    const std::vector<uint8_t> octets = reader.Rest();

    SnmpVb vb;
    vb.oid = "1.3.6.1.4.1.32473.9.1.0";
    vb.tag = tag;
    vb.number = number;
    vb.octets = octets;
    for (size_t i = 0; i + 4 <= octets.size(); i += 4)
        vb.arcs.push_back(uint32_t(octets[i]) << 24 | uint32_t(octets[i + 1]) << 16 | uint32_t(octets[i + 2]) << 8 |
                          octets[i + 3]);

    Request request(syntax, flags & 1);
    const std::optional<std::string> text = Read(request, vb);
    if (!text)
        return 0;

    // Written back and read again.
    SnmpVb written;
    try {
        request.ValueToVb(0, written);
    } catch (const KvError&) {
        // A text the lenient readers cannot write (an address or date that
        // came in some other type).
        return 0;
    }
    const std::optional<std::string> again = Read(request, written);
    // (A text "(NULL)" stands for no value, whatever the agent meant by it.)
    if (Fits(syntax, tag) && !vb.IsException() && *text != "(NULL)")
        fuzz::Check(again && *again == *text, "a value written back reads alike", *text);

    // The value in conditions and expressions of a page.
    request.variables[0].value = *text;
    for (const char* condition : kConditions) {
        try {
            (void)request.EvaluateCondition(condition);
        } catch (const KvError& error) {
            fuzz::Check(error.code() == -1 || error.code() == -511 || error.code() == -512 || error.code() == -518,
                        "a condition on a value is refused with -1, -511, -512 or -518");
        }
    }
    for (const char* expression : kExpressions) {
        request.variables[1].getExpression = expression;
        request.variables[1].value = *text;
        try {
            request.ApplyExpression(1, true);
        } catch (const KvError& error) {
            fuzz::Check(error.code() == -512 || error.code() == -513 || error.code() == -518,
                        "an expression on a value is refused with -512, -513 or -518");
        }
    }
    return 0;
}

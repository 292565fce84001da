// Index decoding: any instance suffix an agent may send, for every key
// syntax, one to three keys, the last one implied or not. A suffix decodes or
// is refused with -514 (too short or no object identifier), -511 (a
// sub-identifier that is no octet) or -518 (no date); a decoded row is
// addressed again exactly as the agent named it. Any key text the operator
// types encodes to sub-identifiers that decode again.
//
// Input: KEYS FLAGS SYNTAX SYNTAX SYNTAX, then SUFFIX NUL TYPED-KEY NUL
// RECEIVED-OID NUL PREVIOUS-OID
#include <iterator>
#include <optional>

#include "common/kverror.h"
#include "common/kvoptionlist.h"
#include "common/kvvaluetext.h"
#include "fuzzsupport.h"
#include "snmp/kvsnmprequest.h"

namespace {

const uint32_t kSyntaxes[] = {synTruthValue, synInteger,     synBits,      synOctets,       synNull,
                              synOid,        synIpAddress,   synCounter32, synGauge32,      synTimeTicks,
                              synOpaque,     synNetAddress,  synCounter64, synUInteger32,   synFloat,
                              synMacAddress, synDateAndTime, synFloatDate, synDisplayString};

const KvOptionDef kNames[] = {{1, nullptr, "one"}, {2, nullptr, "two"}, {0, nullptr, nullptr}};
const KvOptionList kOptions(KvOptionList::kIntegerValues, kNames);

const char* const kColumns[] = {"1.3.6.1.4.1.32473.9.1.1", "1.3.6.1.4.1.32473.9.1.2", "1.3.6.1.4.1.32473.9.1.3",
                                "1.3.6.1.4.1.32473.9.1.4"};

// The keys of a table: how many, their syntaxes, and flags (1 the last key
// is implied, 2 the keys are read as well, 4 they have value names, 8 rows
// may be created).
struct Shape {
    int keys = 1;
    uint8_t flags = 0;
    uint32_t syntaxes[3] = {};
};

class Request : public KvSNMPRequest {
public:
    explicit Request(const Shape& shape)
    {
        const int keys = shape.keys;
        const uint8_t flags = shape.flags;
        const uint32_t* syntaxes = shape.syntaxes;
        VarDef table[5] = {};
        for (int i = 0; i < keys; ++i) {
            uint32_t access = accIdx;
            if (i == keys - 1 && (flags & 1))
                access |= accImplied;
            if (flags & 2)
                access |= accRead; // an index column that is read as well
            table[i] = VarDef{kColumns[i], "key",   syntaxes[i], access, (flags & 4) ? &kOptions : nullptr,
                              nullptr,     nullptr, nullptr};
        }
        table[keys] = VarDef{kColumns[3], "value", synInteger, accRO, nullptr, nullptr, nullptr, nullptr};
        variables = KvSNMPVarList(table, (flags & 8) ? kvListTableRows : kvListTable, keys);
    }
};

bool IsIndexError(const KvError& error)
{
    return error.code() == -514 || error.code() == -511 || error.code() == -518;
}

std::vector<uint32_t> Arcs(const std::string& text)
{
    std::vector<uint32_t> arcs;
    ParseArcs(text, arcs);
    return arcs;
}

// Decodes key by key; the sub-identifiers used, or nothing when refused.
std::optional<size_t> DecodeKeys(Request& request, const std::string& suffix)
{
    std::string rest = suffix;
    try {
        for (int i = 0; i < request.variables.keyCount; ++i)
            rest = request.DecodeIndex(i, rest);
    } catch (const KvError& error) {
        fuzz::Check(IsIndexError(error), "a refused suffix raises -514, -511 or -518", suffix);
        return std::nullopt;
    }
    return Arcs(suffix).size() - Arcs(rest).size();
}

void CheckDecoding(const Shape& shape, const std::string& suffix)
{
    Request request(shape);
    std::vector<uint32_t> all;
    if (!ParseArcs(suffix, all)) {
        try {
            request.DecodeIndex(0, suffix);
            fuzz::Check(false, "a suffix that is no object identifier is refused", suffix);
        } catch (const KvError& error) {
            fuzz::Check(error.code() == -514, "a suffix that is no object identifier raises -514");
        }
        return;
    }
    const std::optional<size_t> used = DecodeKeys(request, suffix);
    if (!used)
        return;
    fuzz::Check(*used <= all.size(), "decoding uses the suffix's sub-identifiers only");
    std::string instance;
    try {
        instance = request.BuildInstance();
    } catch (const KvError& error) {
        fuzz::Check(false, "a decoded row can be addressed", suffix + ": " + error.what());
    }
    const std::vector<uint32_t> expected(all.begin(), all.begin() + static_cast<long>(*used));
    fuzz::Check(Arcs(instance) == expected, "a decoded row is addressed as the agent named it",
                suffix + " -> " + instance);

    // The whole instance at once gives the same keys.
    Request whole(shape);
    try {
        whole.DecodeInstance(suffix);
        for (int i = 0; i < request.variables.keyCount; ++i)
            fuzz::Check(whole.variables[i].value == request.variables[i].value, "a row instance decodes key by key");
    } catch (const KvError& error) {
        // Only a suffix used up before the last key.
        fuzz::Check(error.code() == -514, "an instance too short for its keys raises -514");
    }
}

// A key the operator typed (a new row): what it encodes to decodes again and
// encodes alike.
void CheckTypedKey(const Shape& shape, const std::string& typed)
{
    Request request(shape);
    const int last = request.variables.keyCount - 1;
    request.variables[last].value = typed;
    std::string encoded;
    try {
        encoded = request.EncodeIndex(last);
    } catch (const KvError& error) {
        fuzz::Check(error.code() == -518 || error.code() == -417, "a key that cannot be encoded raises -518 or -417");
        return;
    }
    try {
        request.DecodeIndex(last, encoded);
    } catch (const KvError& error) {
        // A key left empty, or standing for no value yet, is encoded as the
        // lenient reading gives it, which may be too short for its syntax.
        const bool placeholder = typed.empty() || typed == "(NULL)" || typed == "(NOTDONE)";
        fuzz::Check((encoded.empty() || placeholder) && error.code() == -514, "an encoded key decodes again",
                    typed + " -> " + encoded);
        return;
    }
    fuzz::Check(request.EncodeIndex(last) == encoded, "a decoded key encodes alike", typed + " -> " + encoded);
}

void CheckColumnEnd(const Shape& shape, const std::string& received, const std::string& previous)
{
    Request request(shape);
    const std::string base = request.BaseOid(shape.keys);
    const bool finished = request.IsColumnFinished(base, previous, received);
    // The column's subtree is every OID that continues it by an arc.
    if (received.compare(0, base.size(), base) != 0 || received.size() <= base.size() + 1 ||
        received[base.size()] != '.')
        fuzz::Check(finished, "an answer outside the column ends it", received);
    if (received == previous)
        fuzz::Check(finished, "an answer repeating the request ends the column", received);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Reader reader(data, size);
    Shape shape;
    shape.keys = 1 + reader.Byte() % 3;
    shape.flags = reader.Byte();
    for (uint32_t& syntax : shape.syntaxes)
        syntax = kSyntaxes[reader.Byte() % std::size(kSyntaxes)];
    const std::vector<uint8_t> rest = reader.Rest();
    const fuzz::Parts parts(rest.data(), rest.size(), 4);

    CheckDecoding(shape, parts[0]);
    CheckTypedKey(shape, parts[1]);
    CheckColumnEnd(shape, parts[2].empty() ? std::string(kColumns[3]) + "." + parts[0] : parts[2], parts[3]);
    return 0;
}

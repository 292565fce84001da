#include "sim/simdatatoken.h"

#include "sim/simhex.h"

bool SimDataToken::Tokenize(const std::string& line, std::vector<SimDataToken>& out, std::string& error)
{
    out.clear();
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#')
            break;
        SimDataToken t;
        if (c == '"') {
            t.quoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                char d = line[i];
                if (d == '"') {
                    closed = true;
                    ++i;
                    break;
                }
                if (d == '\\') {
                    if (i + 1 >= n) {
                        error = "a backslash ends the line";
                        return false;
                    }
                    char e = line[i + 1];
                    if (e == 'n') {
                        t.text += '\n';
                        i += 2;
                    } else if (e == 't') {
                        t.text += '\t';
                        i += 2;
                    } else if (e == 'x') {
                        int h = i + 2 < n ? simhex::DigitValue(line[i + 2]) : -1;
                        int l = i + 3 < n ? simhex::DigitValue(line[i + 3]) : -1;
                        if (h < 0 || l < 0) {
                            error = "\\x needs two hexadecimal digits";
                            return false;
                        }
                        t.text += static_cast<char>(h * 16 + l);
                        i += 4;
                    } else {
                        t.text += e;
                        i += 2;
                    }
                    continue;
                }
                t.text += d;
                ++i;
            }
            if (!closed) {
                error = "a quoted text is not closed";
                return false;
            }
            if (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
                error = "a quoted text must be followed by a blank";
                return false;
            }
        } else {
            while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                t.text += line[i++];
        }
        out.push_back(t);
    }
    return true;
}

std::string SimDataToken::Substitute(const std::string& text, const std::vector<oid>& arcs)
{
    if (arcs.empty())
        return text;
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '$' && i + 1 < text.size()) {
            const char c = text[i + 1];
            if (c == 'i') {
                out += std::to_string(arcs[0]);
                ++i;
                continue;
            }
            if (c == 'j' && arcs.size() > 1) {
                out += std::to_string(arcs[1]);
                ++i;
                continue;
            }
            if (c == 'h') {
                simhex::AppendByte(out, static_cast<unsigned char>(arcs[0] & 0xFF));
                ++i;
                continue;
            }
            if (c == '$') {
                out += '$';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

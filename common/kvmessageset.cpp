#include "common/kvmessageset.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
// An open file, closed however the reading ends.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// A message file line is read in pieces of at most this many characters.
constexpr int kPieceLength = 1023;

bool IsBlank(const std::string& text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) > ' ')
            return false;
    }
    return true;
}

// Reads the next piece of a line: up to and including a line feed, at most
// kPieceLength characters. Returns false at the end of the file.
bool ReadPiece(std::FILE* file, std::string& piece)
{
    piece.clear();
    while (static_cast<int>(piece.size()) < kPieceLength) {
        int c = std::fgetc(file);
        if (c == EOF)
            break;
        piece.push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    return !piece.empty();
}

// The message text of a piece: the piece minus its line end (LF or CR LF, or a
// CR left at the end of a piece). Texts are zero-terminated, so a NUL byte
// ends the text.
std::string MessageText(const std::string& piece)
{
    std::string text = piece.substr(0, piece.find('\0'));
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    return text;
}

} // namespace

KvMessageSet::KvMessageSet(const char* const* builtIns, int count)
    : builtIns_(builtIns), builtInCount_(builtIns ? count : 0)
{
}

bool KvMessageSet::Load(const std::string& path) noexcept
{
    try {
        // Only regular files: a FIFO would block the open and a device such as
        // /dev/zero would never end.
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error))
            return false;
        FileHandle file(std::fopen(path.c_str(), "rb"));
        if (!file)
            return false;
        // One pass: the file is read once, so a file that changes while it is
        // read cannot leave the set half-filled.
        auto lines = std::make_shared<std::vector<std::string>>();
        std::string piece;
        while (ReadPiece(file.get(), piece)) {
            std::string text = MessageText(piece);
            if (!IsBlank(text))
                lines->push_back(std::move(text));
        }
        file.reset();
        if (lines->empty())
            return false;
        loaded_ = std::move(lines);
        return true;
    } catch (...) {
        // Out of memory while reading: the set keeps its texts.
        return false;
    }
}

std::string KvMessageSet::Lookup(int line) const
{
    if (line < 0)
        return std::string();
    if (loaded_ && line < static_cast<int>(loaded_->size()))
        return (*loaded_)[static_cast<size_t>(line)];
    return BuiltInText(line);
}

int KvMessageSet::Count() const
{
    return loaded_ ? static_cast<int>(loaded_->size()) : builtInCount_;
}

std::string KvMessageSet::BuiltInText(int line) const
{
    if (line < 0 || line >= builtInCount_ || !builtIns_[line])
        return std::string();
    return builtIns_[line];
}

void KvMessageSet::ResetToBuiltIns()
{
    loaded_.reset();
}

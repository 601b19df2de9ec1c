#include "RtfBriefing.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zev::build {

namespace {

// What a control word does. Formatting properties change nothing in the game text, so the
// reader only needs to know them to tell them from unknown words after "\*".
enum class Kind {
    Property,
    Char,          // writes `value`
    Destination,   // a destination that is skipped
    ColourTable,   // the colour table destination
    ColourPart,    // red, green or blue of the colour table entry being read
    ColourChange,  // cf: text colour from then on
    Binary,        // bin: the next N bytes are data
    SkipIfUnknown, // "\*": skip the destination when its word is unknown
    Hex,           // "\'hh"
};

struct Keyword {
    std::string_view word;
    Kind kind;
    int value = 0;
};

// clang-format off
constexpr Keyword kKeywords[] = {
    {"b", Kind::Property},          {"u", Kind::Property},         {"i", Kind::Property},
    {"li", Kind::Property},         {"ri", Kind::Property},        {"fi", Kind::Property},
    {"cols", Kind::Property},       {"sbknone", Kind::Property},   {"sbkcol", Kind::Property},
    {"sbkeven", Kind::Property},    {"sbkodd", Kind::Property},    {"sbkpage", Kind::Property},
    {"pgnx", Kind::Property},       {"pgny", Kind::Property},      {"pgndec", Kind::Property},
    {"pgnucrm", Kind::Property},    {"pgnlcrm", Kind::Property},   {"pgnucltr", Kind::Property},
    {"pgnlcltr", Kind::Property},   {"qc", Kind::Property},        {"ql", Kind::Property},
    {"qr", Kind::Property},         {"qj", Kind::Property},        {"paperw", Kind::Property},
    {"paperh", Kind::Property},     {"margl", Kind::Property},     {"margr", Kind::Property},
    {"margt", Kind::Property},      {"margb", Kind::Property},     {"pgnstart", Kind::Property},
    {"facingp", Kind::Property},    {"landscape", Kind::Property}, {"par", Kind::Char, '\n'},
    {"\n", Kind::Char, '\n'},       {"\r", Kind::Char, '\n'},      {"tab", Kind::Char, '\t'},
    {"ldblquote", Kind::Char, '"'}, {"rdblquote", Kind::Char, '"'}, {"bin", Kind::Binary},
    {"*", Kind::SkipIfUnknown},     {"'", Kind::Hex},              {"author", Kind::Destination},
    {"buptim", Kind::Destination},  {"colortbl", Kind::ColourTable}, {"comment", Kind::Destination},
    {"creatim", Kind::Destination}, {"doccomm", Kind::Destination}, {"fonttbl", Kind::Destination},
    {"footer", Kind::Destination},  {"footerf", Kind::Destination}, {"footerl", Kind::Destination},
    {"footerr", Kind::Destination}, {"footnote", Kind::Destination}, {"ftncn", Kind::Destination},
    {"ftnsep", Kind::Destination},  {"ftnsepc", Kind::Destination}, {"header", Kind::Destination},
    {"headerf", Kind::Destination}, {"headerl", Kind::Destination}, {"headerr", Kind::Destination},
    {"info", Kind::Destination},    {"keywords", Kind::Destination}, {"operator", Kind::Destination},
    {"pict", Kind::Destination},    {"printim", Kind::Destination}, {"private1", Kind::Destination},
    {"revtim", Kind::Destination},  {"rxe", Kind::Destination},    {"stylesheet", Kind::Destination},
    {"subject", Kind::Destination}, {"tc", Kind::Destination},     {"title", Kind::Destination},
    {"txe", Kind::Destination},     {"xe", Kind::Destination},     {"{", Kind::Char, '{'},
    {"}", Kind::Char, '}'},         {"\\", Kind::Char, '\\'},
    // The colour words this program adds to the classic table.
    {"red", Kind::ColourPart, 0},   {"green", Kind::ColourPart, 1}, {"blue", Kind::ColourPart, 2},
    {"cf", Kind::ColourChange},
};
// clang-format on
static_assert(std::size(kKeywords) == 77 + 4);

const Keyword* findKeyword(std::string_view word) {
    for (const Keyword& k : kKeywords)
        if (k.word == word)
            return &k;
    return nullptr;
}

// Where the characters of the current group go.
enum class Destination : std::uint8_t { Text, Skip, ColourTable };

bool isAlpha(std::uint8_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(std::uint8_t c) {
    return c >= '0' && c <= '9';
}
int hexValue(std::uint8_t c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

struct ColourEntry {
    int part[3] = {0, 0, 0};
    bool hasWords = false;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> in) : in_(in) {}

    bool run() {
        while (pos_ < in_.size()) {
            const std::uint8_t c = in_[pos_++];
            if (binaryLeft_ > 0) {
                --binaryLeft_;
                character(c);
                continue;
            }
            switch (c) {
            case '{':
                stack_.push_back(destination_);
                break;
            case '}':
                if (stack_.empty())
                    return false;
                endGroup(stack_.back());
                stack_.pop_back();
                break;
            case '\\':
                if (!controlWord())
                    return false;
                break;
            case '\r':
            case '\n':
                // Line breaks of the RTF source are not text.
                break;
            default:
                character(c);
                break;
            }
        }
        return stack_.empty();
    }

    std::string& text() { return out_; }
    std::vector<ColourRun>& runs() { return runs_; }

private:
    void character(std::uint8_t c) {
        if (destination_ == Destination::Text) {
            out_ += static_cast<char>(c);
            if (runs_.empty() || runs_.back().colour != colour_)
                runs_.push_back({{}, colour_});
            runs_.back().text += static_cast<char>(c);
        } else if (destination_ == Destination::ColourTable && c == ';') {
            colours_.push_back(pending_);
            pending_ = {};
        }
    }

    void endGroup(Destination outer) {
        // A last colour table entry without its ";" still counts when it names a colour.
        if (destination_ == Destination::ColourTable && outer != Destination::ColourTable &&
            pending_.hasWords) {
            colours_.push_back(pending_);
            pending_ = {};
        }
        destination_ = outer;
    }

    bool controlWord() {
        if (pos_ >= in_.size())
            return false;
        std::uint8_t c = in_[pos_++];
        if (!isAlpha(c)) {
            const char symbol[1] = {static_cast<char>(c)};
            return apply(std::string_view(symbol, 1), 0, false);
        }
        const std::size_t start = pos_ - 1;
        while (pos_ < in_.size() && isAlpha(in_[pos_]))
            ++pos_;
        const std::string_view word(reinterpret_cast<const char*>(in_.data()) + start,
                                    pos_ - start);
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        bool hasParameter = false;
        long long parameter = 0;
        while (pos_ < in_.size() && isDigit(in_[pos_])) {
            hasParameter = true;
            parameter = std::min<long long>(parameter * 10 + (in_[pos_] - '0'), 2147483647LL);
            ++pos_;
        }
        if (negative)
            parameter = -parameter;
        // One blank ends a control word and belongs to it.
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        return apply(word, parameter, hasParameter);
    }

    bool apply(std::string_view word, long long parameter, bool hasParameter) {
        const Keyword* k = findKeyword(word);
        const bool skipIfUnknown = skipIfUnknown_;
        skipIfUnknown_ = false;
        if (!k) {
            if (skipIfUnknown)
                destination_ = Destination::Skip;
            return true;
        }
        switch (k->kind) {
        case Kind::Property:
            return true;
        case Kind::Char:
            character(static_cast<std::uint8_t>(k->value));
            return true;
        case Kind::Destination:
            destination_ = Destination::Skip;
            return true;
        case Kind::ColourTable:
            if (destination_ != Destination::Skip) {
                destination_ = Destination::ColourTable;
                colours_.clear();
                pending_ = {};
            }
            return true;
        case Kind::ColourPart:
            if (destination_ == Destination::ColourTable) {
                pending_.part[k->value] = static_cast<int>(parameter);
                pending_.hasWords = true;
            }
            return true;
        case Kind::ColourChange:
            if (destination_ == Destination::Text)
                colourChange(hasParameter ? parameter : 0);
            return true;
        case Kind::Binary:
            // Binary data is taken whatever the destination; a skipped one drops it.
            binaryLeft_ = parameter > 0 ? static_cast<std::size_t>(parameter) : 0;
            return true;
        case Kind::SkipIfUnknown:
            if (destination_ != Destination::Skip)
                skipIfUnknown_ = true;
            return true;
        case Kind::Hex:
            return hex();
        }
        return true;
    }

    bool hex() {
        // In a skipped destination the digits are dropped like any other character.
        if (destination_ == Destination::Skip)
            return true;
        if (pos_ + 2 > in_.size())
            return false;
        const int high = hexValue(in_[pos_]);
        const int low = hexValue(in_[pos_ + 1]);
        if (high < 0 || low < 0)
            return false;
        pos_ += 2;
        character(static_cast<std::uint8_t>(high * 16 + low));
        return true;
    }

    void colourChange(long long index) {
        colour_ = tableColour(index);
        if (colour_)
            if (const char* code = briefingColourCode(*colour_))
                out_ += code;
    }

    // The colour of a table entry; none for an entry without colour words (the default colour),
    // out of byte range or beyond the table.
    std::optional<Rgb> tableColour(long long index) const {
        if (index < 0 || index >= static_cast<long long>(colours_.size()))
            return std::nullopt;
        const ColourEntry& e = colours_[static_cast<std::size_t>(index)];
        if (!e.hasWords)
            return std::nullopt;
        const auto inByte = [](int v) { return v >= 0 && v <= 255; };
        if (!inByte(e.part[0]) || !inByte(e.part[1]) || !inByte(e.part[2]))
            return std::nullopt;
        return Rgb{static_cast<std::uint8_t>(e.part[0]), static_cast<std::uint8_t>(e.part[1]),
                   static_cast<std::uint8_t>(e.part[2])};
    }

    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
    std::string out_;
    std::vector<Destination> stack_;
    Destination destination_ = Destination::Text;
    bool skipIfUnknown_ = false;
    std::size_t binaryLeft_ = 0;
    std::vector<ColourEntry> colours_;
    ColourEntry pending_;
    std::optional<Rgb> colour_;
    std::vector<ColourRun> runs_;
};

} // namespace

BriefingRuns readBriefingRtf(std::span<const std::uint8_t> rtf) {
    Reader reader(rtf);
    BriefingRuns result;
    result.ok = reader.run();
    result.runs = std::move(reader.runs());
    return result;
}

BriefingConversion convertBriefingRtf(std::span<const std::uint8_t> rtf) {
    Reader reader(rtf);
    BriefingConversion result;
    result.ok = reader.run();
    result.text = std::move(reader.text());
    if (result.ok)
        result.text += "\n&X";
    return result;
}

} // namespace zev::build

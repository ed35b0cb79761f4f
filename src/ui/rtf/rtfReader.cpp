// A strict, single-pass RTF reader. It keeps a stack of group states on the
// heap instead of recursing, so hostile nesting cannot exhaust the call
// stack, and every step consumes input, so it always ends.
#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "ui/rtf/codePage.h"
#include "ui/rtf/rtfDocument.h"

namespace quillbox::ui::rtf {

namespace {

enum class Destination {
    Text,              // the document body: text is shown
    FontTable,         // \fonttbl and its entries
    FontAltName,       // \*\falt inside a font entry
    ColorTable,        // \colortbl
    UnicodeHost,       // \upr: its own text is dropped for the \ud alternative inside
    FieldInstruction,  // \fldinst: kept for a field without a result
    Skip,              // anything else: read for balance only
};

enum class Word {
    Unknown,
    Par,
    Line,
    DocumentCodePage,  // \ansicpgN
    CharacterSet,      // \ansi, \mac, \pc, \pca: the code page is the symbol's
    FontCharset,
    FontCodePage,
    UnicodeHost,
    UnicodeAlternative,
    Field,
    FieldInstruction,
    FieldResult,
    Tab,
    Cell,
    Row,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Hidden,
    ColorIndex,
    FontSize,
    FontNumber,
    Plain,
    DefaultFont,
    UnicodeSkipCount,
    Unicode,
    Binary,
    FontTable,
    ColorTable,
    FontAlt,
    FontFamilyModern,
    FontFamilyOther,
    FontPitch,
    Red,
    Green,
    Blue,
    SkippedDestination,
    Symbol,  // a control word that stands for one character
};

struct WordInfo {
    Word word;
    char16_t symbol = 0;  // the character of a Symbol; the code page of a CharacterSet
};

const std::unordered_map<std::string_view, WordInfo>& words() {
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> t{
            // Page, column and section breaks end the paragraph, as in other
            // readers; \line and \lbrN\line break the line inside it. The soft
            // breaks a word processor records from its layout mean nothing.
            {"par", {Word::Par}},
            {"sect", {Word::Par}},
            {"row", {Word::Par}},
            {"page", {Word::Par}},
            {"column", {Word::Par}},
            {"line", {Word::Line}},
            {"ansicpg", {Word::DocumentCodePage}},
            {"ansi", {Word::CharacterSet, 1252}},
            {"mac", {Word::CharacterSet, 10000}},
            {"pc", {Word::CharacterSet, 437}},
            {"pca", {Word::CharacterSet, 850}},
            {"fcharset", {Word::FontCharset}},
            {"cpg", {Word::FontCodePage}},
            {"upr", {Word::UnicodeHost}},
            {"ud", {Word::UnicodeAlternative}},
            {"tab", {Word::Tab}},
            {"cell", {Word::Cell}},
            {"nestcell", {Word::Cell}},
            {"b", {Word::Bold}},
            {"i", {Word::Italic}},
            {"ulnone", {Word::UnderlineNone}},
            {"v", {Word::Hidden}},
            {"cf", {Word::ColorIndex}},
            {"fs", {Word::FontSize}},
            {"f", {Word::FontNumber}},
            {"plain", {Word::Plain}},
            {"deff", {Word::DefaultFont}},
            {"uc", {Word::UnicodeSkipCount}},
            {"u", {Word::Unicode}},
            {"bin", {Word::Binary}},
            {"fonttbl", {Word::FontTable}},
            {"colortbl", {Word::ColorTable}},
            {"falt", {Word::FontAlt}},
            {"fmodern", {Word::FontFamilyModern}},
            {"fnil", {Word::FontFamilyOther}},
            {"froman", {Word::FontFamilyOther}},
            {"fswiss", {Word::FontFamilyOther}},
            {"fscript", {Word::FontFamilyOther}},
            {"fdecor", {Word::FontFamilyOther}},
            {"ftech", {Word::FontFamilyOther}},
            {"fbidi", {Word::FontFamilyOther}},
            {"fprq", {Word::FontPitch}},
            {"red", {Word::Red}},
            {"green", {Word::Green}},
            {"blue", {Word::Blue}},
            {"field", {Word::Field}},
            {"fldinst", {Word::FieldInstruction}},
            {"fldrslt", {Word::FieldResult}},
            {"emdash", {Word::Symbol, u'\u2014'}},
            {"endash", {Word::Symbol, u'\u2013'}},
            {"emspace", {Word::Symbol, u'\u2003'}},
            {"enspace", {Word::Symbol, u'\u2002'}},
            {"qmspace", {Word::Symbol, u'\u2005'}},
            {"bullet", {Word::Symbol, u'\u2022'}},
            {"lquote", {Word::Symbol, u'\u2018'}},
            {"rquote", {Word::Symbol, u'\u2019'}},
            {"ldblquote", {Word::Symbol, u'\u201C'}},
            {"rdblquote", {Word::Symbol, u'\u201D'}},
            {"zwj", {Word::Symbol, u'\u200D'}},
            {"zwnj", {Word::Symbol, u'\u200C'}},
        };
        // Every underline style counts as underlined.
        for (std::string_view u : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                   "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd",
                                   "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"}) {
            t.emplace(u, WordInfo{Word::Underline});
        }
        // Destinations whose content is not part of the visible text.
        for (std::string_view d : {"aftncn",
                                   "aftnsep",
                                   "aftnsepc",
                                   "annotation",
                                   "atnauthor",
                                   "atndate",
                                   "atnicn",
                                   "atnid",
                                   "atnparent",
                                   "atnref",
                                   "atntime",
                                   "atrfend",
                                   "atrfstart",
                                   "author",
                                   "bkmkend",
                                   "bkmkstart",
                                   "buptim",
                                   "category",
                                   "colorschememapping",
                                   "comment",
                                   "company",
                                   "creatim",
                                   "datastore",
                                   "do",
                                   "doccomm",
                                   "docvar",
                                   "filetbl",
                                   "fname",
                                   "footer",
                                   "footerf",
                                   "footerl",
                                   "footerr",
                                   "footnote",
                                   "ftncn",
                                   "ftnsep",
                                   "ftnsepc",
                                   "generator",
                                   "header",
                                   "headerf",
                                   "headerl",
                                   "headerr",
                                   "hlinkbase",
                                   "info",
                                   "keywords",
                                   "latentstyles",
                                   "listoverridetable",
                                   "listtable",
                                   "manager",
                                   "mmathPr",
                                   "nonshppict",
                                   "object",
                                   "objdata",
                                   "operator",
                                   "panose",
                                   "passwordhash",
                                   "pgdsctbl",
                                   "pict",
                                   "pn",
                                   "pntxta",
                                   "pntxtb",
                                   "printim",
                                   "private",
                                   "revtbl",
                                   "revtim",
                                   "rsidtbl",
                                   "shp",
                                   "shpinst",
                                   "shppict",
                                   "stylesheet",
                                   "subject",
                                   "tc",
                                   "template",
                                   "themedata",
                                   "title",
                                   "txe",
                                   "userprops",
                                   "wgrffmtfilter",
                                   "xe",
                                   "xform",
                                   "xmlnstbl"}) {
            t.emplace(d, WordInfo{Word::SkippedDestination});
        }
        return t;
    }();
    return table;
}

// Groups may nest one level for this many bytes of the document (and at
// least kMinGroupDepth deep): enough for any document a program wrote, while
// the stack stays a small multiple of the input.
constexpr std::size_t kBytesPerGroupLevel = 32;
constexpr std::size_t kMinGroupDepth = 256;

struct GroupState {
    Destination destination = Destination::Text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hidden = false;
    int colorIndex = 0;
    int fontNumber = -1;  // -1: the document's default font
    int halfPoints = 0;
    int unicodeSkip = 1;
};

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Reader {
  public:
    explicit Reader(std::string_view in)
        : in_(in), maxDepth_(std::max(kMinGroupDepth, in.size() / kBytesPerGroupLevel)) {}

    Document read() {
        if (in_.substr(0, 3) == "\xEF\xBB\xBF")
            pos_ = 3;  // a UTF-8 byte order mark
        while (pos_ < in_.size() &&
               (in_[pos_] == ' ' || in_[pos_] == '\t' || in_[pos_] == '\r' || in_[pos_] == '\n')) {
            ++pos_;
        }
        if (in_.substr(pos_, 5) != "{\\rtf" || (pos_ + 5 < in_.size() && isLetter(in_[pos_ + 5])))
            throw RtfError("not an RTF document");
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                openGroup();
            } else if (c == '}') {
                ++pos_;
                closeGroup();
                if (stack_.empty())
                    break;  // the document's outer group has ended
            } else if (c == '\\') {
                ++pos_;
                controlSequence();
            } else if (state().destination == Destination::Skip) {
                skipPlainBytes();
            } else {
                plainBytes();
            }
        }
        if (!stack_.empty())
            throw RtfError("the document is cut off (a group is not closed)");
        finish();
        return std::move(doc_);
    }

  private:
    GroupState& state() { return stack_.back(); }

    void openGroup() {
        if (stack_.size() >= maxDepth_)
            throw RtfError("groups are nested too deeply");
        endCharacter();
        stack_.push_back(stack_.empty() ? GroupState{} : stack_.back());
        skipPending_ = 0;
        starPending_ = false;
    }

    void closeGroup() {
        endCharacter();
        if (!fields_.empty() && fields_.back().depth == stack_.size())
            endField();
        const Destination ending = stack_.back().destination;
        stack_.pop_back();
        skipPending_ = 0;
        starPending_ = false;
        formatChanged();
        // A font entry, or the last entry of a table, may end without ';'.
        if (ending == Destination::FontTable)
            commitFont();
        if (ending == Destination::ColorTable && colorPending_)
            commitColor();
    }

    // Text bytes outside control sequences.
    void plainBytes() {
        const Destination dest = state().destination;
        if (dest == Destination::Text && skipPending_ == 0 && !state().hidden && lead_.empty()) {
            // Fast path: a stretch of ordinary ASCII goes in at once.
            const std::size_t begin = pos_;
            while (pos_ < in_.size()) {
                const auto b = static_cast<unsigned char>(in_[pos_]);
                if (b < 0x20 || b >= 0x7F || b == '\\' || b == '{' || b == '}')
                    break;
                ++pos_;
            }
            if (pos_ > begin) {
                std::u16string& text = openRun();
                text.append(in_.begin() + begin, in_.begin() + pos_);
                return;
            }
        }
        const auto b = static_cast<unsigned char>(in_[pos_++]);
        if (b == '\r' || b == '\n' || b == 0)
            return;  // line ends in the file carry no meaning
        if (skipPending_ > 0) {
            --skipPending_;
            return;
        }
        if (b == '\t') {
            endCharacter();
            character(u'\t');
        } else if (b >= 0x20 || !lead_.empty()) {
            textByte(b);
        }
    }

    // The code page that text bytes are in here: the current font's, else
    // the document's.
    const CodePage& codePage() {
        int number = documentCodePage_;
        const GroupState& s = state();
        if (s.destination == Destination::FontTable || s.destination == Destination::FontAltName) {
            if (fontOpen_ && fontCodePage() != 0)
                number = fontCodePage();
        } else {
            const auto font = fontCodePages_.find(s.fontNumber >= 0 ? s.fontNumber : defaultFont_);
            if (font != fontCodePages_.end() && font->second != 0)
                number = font->second;
        }
        std::unique_ptr<CodePage>& page = codePages_[number];
        if (!page)
            page = std::make_unique<CodePage>(number);
        return *page;
    }

    // One byte of text, alone or as part of a multi-byte character.
    void textByte(unsigned char b) {
        const CodePage& page = codePage();
        if (lead_.empty() && !page.isLeadByte(b)) {
            character(page.single(b));
            return;
        }
        lead_ += static_cast<char>(b);
        if (lead_.size() == 1)
            return;
        std::u16string decoded;
        switch (page.decode(lead_, decoded)) {
            case CodePage::Decoded::Character:
                lead_.clear();
                for (const char16_t c : decoded)
                    character(c);
                return;
            case CodePage::Decoded::NeedsMore:
                if (lead_.size() < 4)
                    return;
                break;
            case CodePage::Decoded::Invalid:
                break;
        }
        lead_.clear();
        character(u'\uFFFD');
    }

    // Anything but a text byte ends a multi-byte character; one cut short
    // shows as U+FFFD.
    void endCharacter() {
        if (lead_.empty())
            return;
        lead_.clear();
        character(u'\uFFFD');
    }

    void skipPlainBytes() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{' || c == '}' || c == '\\')
                return;
            ++pos_;
        }
    }

    void controlSequence() {
        if (pos_ >= in_.size())
            throw RtfError("the document is cut off after a backslash");
        const char c = in_[pos_];
        if (c != '\'')
            endCharacter();
        if (!isLetter(c)) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        const std::size_t nameBegin = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_]))
            ++pos_;
        const std::string_view name = in_.substr(nameBegin, pos_ - nameBegin);
        bool hasParameter = false;
        long long parameter = 0;
        bool negative = false;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' && isDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && isDigit(in_[pos_])) {
            hasParameter = true;
            if (parameter < 100000000000LL)
                parameter = parameter * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;  // the delimiter belongs to the word
        parameter = std::clamp(negative ? -parameter : parameter, -2147483647LL, 2147483647LL);
        controlWord(name, hasParameter, static_cast<int>(parameter));
    }

    void controlSymbol(char c) {
        if (state().destination == Destination::Skip)
            return;
        if (c == '\'') {
            int value = 0;
            int digits = 0;
            while (digits < 2 && pos_ < in_.size() && hexValue(in_[pos_]) >= 0) {
                value = value * 16 + hexValue(in_[pos_++]);
                ++digits;
            }
            if (consumeSkipped())
                return;
            if (digits > 0)
                textByte(static_cast<unsigned char>(value));
            return;
        }
        if (c == '*') {
            starPending_ = true;
            return;
        }
        if (consumeSkipped())
            return;
        switch (c) {
            case '\\':
            case '{':
            case '}':
                character(static_cast<char16_t>(c));
                break;
            case '~':
                character(u'\u00A0');
                break;
            case '_':
                character(u'\u2011');
                break;
            case '\r':
            case '\n':
                paragraph();
                break;
            default:  // optional hyphens, index and formula markers: nothing to show
                break;
        }
    }

    // parameter is 0 when the word has none, which is what most words take then.
    void controlWord(std::string_view name, bool hasParameter, int parameter) {
        const bool starred = starPending_;
        starPending_ = false;
        const auto found = words().find(name);
        const WordInfo info = found == words().end() ? WordInfo{Word::Unknown} : found->second;
        if (info.word == Word::Binary) {
            // Raw bytes follow; they are never text we show.
            const std::size_t n = std::max(parameter, 0);
            if (n > in_.size() - pos_)
                throw RtfError("the document is cut off inside binary data");
            pos_ += n;
            return;
        }
        GroupState& s = state();
        if (s.destination == Destination::Skip)
            return;
        if (info.word == Word::UnicodeAlternative && s.destination == Destination::UnicodeHost) {
            s.destination = Destination::Text;
            return;
        }
        if (info.word == Word::FontAlt && s.destination == Destination::FontTable) {
            s.destination = Destination::FontAltName;
            return;
        }
        if (info.word == Word::SkippedDestination ||
            (starred && info.word != Word::FontTable && info.word != Word::ColorTable &&
             info.word != Word::Field && info.word != Word::FieldInstruction &&
             info.word != Word::FieldResult)) {
            s.destination = Destination::Skip;
            return;
        }
        if (consumeSkipped())
            return;
        const bool on = !hasParameter || parameter != 0;
        switch (info.word) {
            case Word::FontTable:
                s.destination = Destination::FontTable;
                break;
            case Word::ColorTable:
                s.destination = Destination::ColorTable;
                colorPending_ = false;
                break;
            case Word::DefaultFont:
                if (hasParameter)
                    defaultFont_ = parameter;
                formatChanged();
                break;
            case Word::DocumentCodePage:
                documentCodePage_ = parameter;  // none or unknown: Windows-1252
                break;
            case Word::CharacterSet:
                documentCodePage_ = info.symbol;
                break;
            case Word::UnicodeHost:
                if (s.destination == Destination::Text)
                    s.destination = Destination::UnicodeHost;
                break;
            case Word::Field:
                if (s.destination == Destination::Text)
                    fields_.push_back(Field{stack_.size(), {}, false});
                break;
            case Word::FieldInstruction:
                if (s.destination == Destination::Text)
                    s.destination =
                        fields_.empty() ? Destination::Skip : Destination::FieldInstruction;
                break;
            case Word::FieldResult:
                if (!fields_.empty())
                    fields_.back().hasResult = true;
                break;
            case Word::UnicodeSkipCount:
                if (hasParameter)
                    s.unicodeSkip = std::clamp(parameter, 0, 16);
                break;
            case Word::Unicode:
                if (hasParameter) {
                    const int unit = parameter < 0 ? parameter + 65536 : parameter;
                    character(unit >= 0 && unit <= 0xFFFF ? static_cast<char16_t>(unit)
                                                          : u'\uFFFD');
                    skipPending_ = s.unicodeSkip;
                }
                break;
            default:
                if (s.destination == Destination::FontTable) {
                    fontTableWord(info.word, parameter);
                } else if (s.destination == Destination::ColorTable) {
                    colorTableWord(info.word, parameter);
                } else if (s.destination == Destination::Text) {
                    textWord(info, on, hasParameter, parameter);
                }
                break;
        }
    }

    void textWord(const WordInfo& info, bool on, bool hasParameter, int parameter) {
        GroupState& s = state();
        switch (info.word) {
            case Word::Par:
                paragraph();
                break;
            case Word::Line:
                character(kLineBreak);
                break;
            case Word::Tab:
            case Word::Cell:
                character(u'\t');
                break;
            case Word::Symbol:
                character(info.symbol);
                break;
            case Word::Bold:
                s.bold = on;
                formatChanged();
                break;
            case Word::Italic:
                s.italic = on;
                formatChanged();
                break;
            case Word::Underline:
                s.underline = on;
                formatChanged();
                break;
            case Word::UnderlineNone:
                s.underline = false;
                formatChanged();
                break;
            case Word::Hidden:
                s.hidden = on;
                break;
            case Word::ColorIndex:
                s.colorIndex = parameter;
                formatChanged();
                break;
            case Word::FontSize:
                s.halfPoints = std::clamp(parameter, 0, 3276);
                formatChanged();
                break;
            case Word::FontNumber:
                if (hasParameter)
                    s.fontNumber = parameter;
                formatChanged();
                break;
            case Word::Plain:
                s.bold = s.italic = s.underline = s.hidden = false;
                s.colorIndex = 0;
                s.fontNumber = -1;
                s.halfPoints = 0;
                formatChanged();
                break;
            default:
                break;
        }
    }

    void fontTableWord(Word word, int parameter) {
        switch (word) {
            case Word::FontNumber:
                commitFont();
                fontNumber_ = parameter;
                fontOpen_ = true;
                break;
            case Word::FontFamilyModern:
                fontModern_ = true;
                break;
            case Word::FontFamilyOther:
                fontModern_ = false;
                break;
            case Word::FontPitch:
                fontPitch_ = parameter;
                break;
            case Word::FontCharset:
                fontCharsetCodePage_ = codePageOfCharset(parameter);
                break;
            case Word::FontCodePage:
                fontExplicitCodePage_ = parameter;
                break;
            default:
                break;
        }
    }

    void colorTableWord(Word word, int parameter) {
        const auto component = static_cast<std::uint8_t>(std::clamp(parameter, 0, 255));
        switch (word) {
            case Word::Red:
                colorPending_ = true;
                pendingColor_.red = component;
                break;
            case Word::Green:
                colorPending_ = true;
                pendingColor_.green = component;
                break;
            case Word::Blue:
                colorPending_ = true;
                pendingColor_.blue = component;
                break;
            default:
                break;
        }
    }

    // Returns true when the current character is swallowed as the fallback of \u.
    bool consumeSkipped() {
        if (skipPending_ == 0)
            return false;
        --skipPending_;
        return true;
    }

    void character(char16_t c) {
        // Control characters have no place in text: a stray CR or LF would
        // pass for a paragraph end. Qt's frame markers are not text either.
        if ((c < 0x20 && c != u'\t') || c == 0x7F)
            return;
        if (c == u'\u2029') {
            paragraph();
            return;
        }
        if (c == u'\uFDD0' || c == u'\uFDD1')
            c = u'\uFFFD';
        switch (state().destination) {
            case Destination::Text:
                if (!state().hidden)
                    openRun() += c;
                break;
            case Destination::FontTable:
                if (c == u';') {
                    commitFont();
                } else if (fontOpen_) {
                    fontName_ += c;
                }
                break;
            case Destination::FontAltName:
                if (fontOpen_ && c != u';')
                    fontAlternative_ += c;
                break;
            case Destination::ColorTable:
                if (c == u';')
                    commitColor();
                break;
            case Destination::FieldInstruction:
                if (!fields_.empty())
                    fields_.back().instruction += c;
                break;
            case Destination::UnicodeHost:
            case Destination::Skip:
                break;
        }
    }

    // A field shows its result. Without one, a MACROBUTTON field shows its
    // display text (what follows the macro's name), as word processors show
    // such placeholders; other fields show nothing.
    void endField() {
        const Field field = std::move(fields_.back());
        fields_.pop_back();
        if (field.hasResult)
            return;
        std::u16string_view rest = field.instruction;
        auto word = [&rest] {
            while (!rest.empty() && (rest.front() == u' ' || rest.front() == u'\t'))
                rest.remove_prefix(1);
            std::size_t n = 0;
            while (n < rest.size() && rest[n] != u' ' && rest[n] != u'\t')
                ++n;
            const std::u16string_view w = rest.substr(0, n);
            rest.remove_prefix(n);
            return w;
        };
        if (word() != u"MACROBUTTON")
            return;
        word();  // the macro's name
        for (const char16_t c : trim(rest))
            character(c);
    }

    void paragraph() {
        if (state().destination != Destination::Text)
            return;
        doc_.paragraphs.emplace_back();
        runOpen_ = false;
    }

    void formatChanged() { runOpen_ = false; }

    // The text of a run in the current format at the end of the document.
    std::u16string& openRun() {
        Paragraph& p = doc_.paragraphs.back();
        if (!runOpen_) {
            const Format f = currentFormat();
            if (p.runs.empty() || !(p.runs.back().format == f))
                p.runs.push_back(Run{{}, f});
            runOpen_ = true;
        }
        return p.runs.back().text;
    }

    Format currentFormat() const {
        const GroupState& s = stack_.back();
        Format f;
        f.bold = s.bold;
        f.italic = s.italic;
        f.underline = s.underline;
        f.halfPoints = s.halfPoints;
        if (s.colorIndex > 0 && s.colorIndex < static_cast<int>(colors_.size())) {
            f.color = colors_[s.colorIndex];
        }
        const auto font = fontIndex_.find(s.fontNumber >= 0 ? s.fontNumber : defaultFont_);
        if (font != fontIndex_.end())
            f.font = font->second;
        return f;
    }

    void commitFont() {
        if (!fontOpen_)
            return;
        Font font;
        font.family = utf8(trim(fontName_));
        font.alternative = utf8(trim(fontAlternative_));
        font.fixedPitch = fontPitch_ == 1 || (fontPitch_ == 0 && fontModern_);
        fontCodePages_[fontNumber_] = fontCodePage();
        const auto existing = fontIndex_.find(fontNumber_);
        if (existing != fontIndex_.end()) {
            doc_.fonts[existing->second] = std::move(font);
        } else {
            fontIndex_.emplace(fontNumber_, static_cast<int>(doc_.fonts.size()));
            doc_.fonts.push_back(std::move(font));
        }
        fontOpen_ = false;
        fontModern_ = false;
        fontPitch_ = 0;
        fontCharsetCodePage_ = 0;
        fontExplicitCodePage_ = 0;
        fontName_.clear();
        fontAlternative_.clear();
        formatChanged();
    }

    void commitColor() {
        colors_.push_back(colorPending_ ? std::optional<Color>(pendingColor_) : std::nullopt);
        colorPending_ = false;
        pendingColor_ = Color{};
        formatChanged();
    }

    // The code page of the font entry being read: \cpgN, else its charset's.
    int fontCodePage() const {
        return fontExplicitCodePage_ != 0 ? fontExplicitCodePage_ : fontCharsetCodePage_;
    }

    static std::u16string_view trim(std::u16string_view s) {
        while (!s.empty() && (s.front() == u' ' || s.front() == u'\t'))
            s.remove_prefix(1);
        while (!s.empty() && (s.back() == u' ' || s.back() == u'\t'))
            s.remove_suffix(1);
        return s;
    }

    // Lone surrogates (a broken \u pair) become U+FFFD, so the text is valid UTF-16.
    void finish() {
        for (Paragraph& p : doc_.paragraphs) {
            for (Run& r : p.runs) {
                std::u16string& t = r.text;
                for (std::size_t i = 0; i < t.size(); ++i) {
                    const char16_t c = t[i];
                    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < t.size() && t[i + 1] >= 0xDC00 &&
                        t[i + 1] <= 0xDFFF) {
                        ++i;
                    } else if (c >= 0xD800 && c <= 0xDFFF) {
                        t[i] = u'\uFFFD';
                    }
                }
            }
        }
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::size_t maxDepth_;
    std::vector<GroupState> stack_;
    Document doc_;
    bool runOpen_ = false;
    int skipPending_ = 0;
    bool starPending_ = false;

    int defaultFont_ = 0;
    std::unordered_map<int, int> fontIndex_;  // RTF font number -> index in doc_.fonts
    bool fontOpen_ = false;
    int fontNumber_ = 0;
    bool fontModern_ = false;
    int fontPitch_ = 0;
    std::u16string fontName_;
    std::u16string fontAlternative_;
    int fontCharsetCodePage_ = 0;
    int fontExplicitCodePage_ = 0;

    int documentCodePage_ = 1252;
    std::unordered_map<int, int>
        fontCodePages_;  // RTF font number -> code page (0: the document's)
    std::map<int, std::unique_ptr<CodePage>> codePages_;
    std::string lead_;  // the bytes so far of a multi-byte character

    struct Field {
        std::size_t depth;  // of the group that holds \field
        std::u16string instruction;
        bool hasResult;
    };
    std::vector<Field> fields_;  // the fields open around the current position

    std::vector<std::optional<Color>> colors_;
    bool colorPending_ = false;
    Color pendingColor_;
};

}  // namespace

Document readRtf(std::string_view bytes) {
    return Reader(bytes).read();
}

}  // namespace quillbox::ui::rtf

#include "ui/rtf/codePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <utility>

namespace quillbox::ui::rtf {

namespace {

constexpr int kSymbol = 42;  // what Windows calls the Symbol charset's code page

// What iconv calls a Windows code page, where it differs from "CPnnnn".
std::string iconvName(int number) {
    switch (number) {
        case 10000:
            return "MACINTOSH";
        case 20866:
            return "KOI8-R";
        case 21866:
            return "KOI8-U";
        case 20932:
        case 51932:
            return "EUC-JP";
        case 51936:
            return "EUC-CN";
        case 51949:
            return "EUC-KR";
        case 54936:
            return "GB18030";
        case 65001:
            return "UTF-8";
        default:
            break;
    }
    if (number >= 28591 && number <= 28605)
        return "ISO-8859-" + std::to_string(number - 28590);
    return "CP" + std::to_string(number);
}

}  // namespace

// A converter from one code page to UTF-16, closed when it goes.
class CodePage::Converter {
  public:
    explicit Converter(const std::string& from) : cd_(iconv_open("UTF-16LE", from.c_str())) {}
    ~Converter() {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return reinterpret_cast<std::intptr_t>(cd_) != -1; }

    // Converts all of bytes; out holds the UTF-16 when the result is Character.
    Decoded convert(std::string bytes, std::u16string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh start
        char* in = bytes.data();
        std::size_t inLeft = bytes.size();
        char buffer[16];
        char* to = buffer;
        std::size_t toLeft = sizeof buffer;
        if (iconv(cd_, &in, &inLeft, &to, &toLeft) == static_cast<std::size_t>(-1))
            return errno == EINVAL ? Decoded::NeedsMore : Decoded::Invalid;
        // Code pages with combining marks (1255, 1258) hold a letter back in
        // case a mark follows; this lets it out.
        iconv(cd_, nullptr, nullptr, &to, &toLeft);
        out.clear();
        for (const char* p = buffer; p < to; p += 2) {  // whole UTF-16 units
            out += static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                         (static_cast<unsigned char>(p[1]) << 8));
        }
        return out.empty() ? Decoded::Invalid : Decoded::Character;
    }

  private:
    iconv_t cd_;
};

int codePageOfCharset(int charset) {
    switch (charset) {
        case 0:  // ANSI: Western, whatever the document's code page
            return 1252;
        case 2:
            return kSymbol;
        case 77:
            return 10000;
        case 89:
            return 10007;
        case 128:
            return 932;
        case 129:
            return 949;
        case 130:
            return 1361;
        case 134:
            return 936;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        case 254:
            return 437;
        case 255:
            return 850;
        default:
            return 0;
    }
}

CodePage::CodePage(int number) {
    // Every byte stands for itself until the code page says otherwise.
    for (unsigned b = 0; b < 0x100; ++b)
        single_[b] = static_cast<char16_t>(b);
    if (number == kSymbol) {
        // A symbol font's characters have no Unicode meaning of their own:
        // they go to the private area where Windows puts them.
        for (unsigned b = 0x80; b < 0x100; ++b)
            single_[b] = static_cast<char16_t>(0xF000 + b);
        return;
    }
    if (number != 1252) {
        converter_ = std::make_unique<Converter>(iconvName(number));
        if (!converter_->ok())
            converter_.reset();
    }
    if (!converter_) {
        for (unsigned b = 0x80; b < 0xA0; ++b)
            single_[b] = kCp1252High[b - 0x80];
        return;
    }
    std::u16string out;
    for (unsigned b = 0x80; b < 0x100; ++b) {
        switch (converter_->convert(std::string(1, static_cast<char>(b)), out)) {
            case Decoded::Character:
                if (out.size() == 1)
                    single_[b] = out.front();
                break;
            case Decoded::NeedsMore:
                lead_[b] = true;
                break;
            case Decoded::Invalid:
                break;
        }
    }
}

CodePage::~CodePage() = default;

CodePage::Decoded CodePage::decode(const std::string& bytes, std::u16string& out) const {
    if (!converter_)
        return Decoded::Invalid;
    auto found = decoded_.find(bytes);
    if (found == decoded_.end()) {
        std::u16string text;
        const Decoded result = converter_->convert(bytes, text);
        found = decoded_.emplace(bytes, std::make_pair(result, std::move(text))).first;
    }
    out = found->second.second;
    return found->second.first;
}

}  // namespace quillbox::ui::rtf

// Feeds arbitrary bytes to the RTF reader. Besides crashes, hangs and leaks it
// checks that whatever the reader accepts survives a write and a second read
// with the same text and the same formatting, character by character.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "ui/rtf/rtfDocument.h"

using namespace quillbox::ui::rtf;

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "rtfReaderFuzz: %s\n", what);
    std::abort();
}

// The format of every character, with the writer's rule that a run without a
// font is written in the first font.
std::vector<Format> characterFormats(const Document& d) {
    std::vector<Format> out;
    for (const Paragraph& p : d.paragraphs) {
        for (const Run& r : p.runs) {
            Format f = r.format;
            if (f.font < 0 && !d.fonts.empty())
                f.font = 0;
            out.insert(out.end(), r.text.size(), f);
        }
        out.push_back(Format{});  // the paragraph mark
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Document first;
    try {
        first = readRtf(input);
    } catch (const RtfError&) {
        return 0;
    }
    if (first.paragraphs.empty())
        fail("a document without paragraphs");
    for (const Paragraph& p : first.paragraphs) {
        for (const Run& r : p.runs) {
            if (r.text.empty())
                fail("an empty run");
            for (const char16_t c : r.text) {
                if (c == u'\r' || c == u'\n' || c == u'\u2029')
                    fail("a line end inside a run");
            }
        }
    }
    const std::string written = writeRtf(first);
    for (const char c : written) {
        if (static_cast<unsigned char>(c) >= 0x80)
            fail("the writer left 7-bit ASCII");
    }
    Document second;
    try {
        second = readRtf(written);
    } catch (const RtfError&) {
        fail("the reader refused what the writer wrote");
    }
    if (plainText(first) != plainText(second))
        fail("the text changed in a round trip");
    if (characterFormats(first) != characterFormats(second)) {
        fail("the formatting changed in a round trip");
    }
    if (first.fonts.size() != second.fonts.size())
        fail("the font table changed size");
    for (std::size_t i = 0; i < first.fonts.size(); ++i) {
        if (first.fonts[i].fixedPitch != second.fonts[i].fixedPitch)
            fail("a font lost its pitch");
    }
    return 0;
}

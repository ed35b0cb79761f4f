#pragma once
// A large RTF document in the style word processors write: a header with
// tables and skipped destinations, then paragraphs dense with formatting,
// escapes, Unicode and a picture now and then.
#include <string>

namespace quillbox::bench {

inline std::string largeRtfDocument(std::size_t targetBytes) {
    std::string s =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
        "{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}{\\f1\\fmodern\\fprq1\\fcharset0 "
        "Courier New{\\*\\falt Liberation Mono};}}\r\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\r\n"
        "{\\stylesheet{\\s0\\snext0 Normal;}{\\s1\\sbasedon0 Heading 1;}}"
        "{\\info{\\title A long document}}{\\*\\generator Quillbox bench;}\r\n";
    s.reserve(targetBytes + 4096);
    for (int n = 0; s.size() < targetBytes; ++n) {
        s += "\\pard\\plain\\s0\\sb0\\sa140\\ql\\f0\\fs20 {\\b HEADING ";
        s += std::to_string(n);
        s += "}\\par\r\n\\pard\\plain\\f0\\fs20 Plain words about the game, with {\\i slanted} "
             "and {\\ul underlined} text, a {\\cf2 red} word, caf\\'e9 and na\\u239\\'efve, "
             "\\u945?\\u946? letters, braces \\{like\\} these and a back\\\\slash.\\tab "
             "Then {\\f1\\fs18\\cf3 QAT         1}\\line and more text to make the line long "
             "enough to look like a real paragraph in a rules document.\\par\r\n";
        if (n % 50 == 0) {
            s += "{\\pict\\pngblip\\picw16\\pich16 ";
            for (int i = 0; i < 64; ++i)
                s += "89504e470d0a1a0a";
            s += "}\\par\r\n";
        }
    }
    s += "}\r\n";
    return s;
}

}  // namespace quillbox::bench

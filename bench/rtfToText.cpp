// Writes the plain text our RTF reader finds in each document, for comparing
// it with what other programs read (tools/rtfCorpus.py):
//   rtf_to_text OUTDIR FILE...
// makes OUTDIR/NAME.txt (UTF-8, paragraphs ended by LF, a line break inside a
// paragraph also LF) or, for a document the reader refuses, OUTDIR/NAME.error
// with the reason.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "ui/rtf/rtfDocument.h"

namespace rtf = quillbox::ui::rtf;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: rtf_to_text OUTDIR FILE...\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    for (int i = 2; i < argc; ++i) {
        const std::filesystem::path in = argv[i];
        std::ifstream file(in, std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        const std::filesystem::path stem = out / in.stem();
        try {
            std::u16string text = rtf::plainText(rtf::readRtf(bytes.str()));
            std::u16string lines;
            for (std::size_t k = 0; k < text.size(); ++k) {
                if (text[k] == u'\r' && k + 1 < text.size() && text[k + 1] == u'\n')
                    continue;
                lines += text[k] == rtf::kLineBreak ? u'\n' : text[k];
            }
            std::ofstream(stem.string() + ".txt", std::ios::binary) << rtf::utf8(lines);
        } catch (const rtf::RtfError& e) {
            std::ofstream(stem.string() + ".error") << e.what() << '\n';
        }
    }
    return 0;
}

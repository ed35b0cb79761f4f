#include "ui/richTextBox.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFontInfo>
#include <QHash>
#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QPointer>
#include <QPrinter>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "ui/rtf/rtfDocument.h"

namespace quillbox::ui {

namespace {

constexpr QChar kLineSeparator(0x2028);
// A document beyond this many bytes is refused rather than read.
constexpr off_t kMaxDocumentBytes = off_t{64} * 1024 * 1024;

bool looksLikeRtf(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s.at(i).isSpace())
        ++i;
    return QStringView(s).mid(i).startsWith(QLatin1String("{\\rtf"));
}

// RTF is 7-bit text; anything beyond ASCII in a string handed to us becomes a
// \u escape, so it still reads as the character it is.
std::optional<rtf::Document> parseRtf(const QString& s) {
    std::string bytes;
    bytes.reserve(s.size());
    for (const QChar c : s) {
        if (c.unicode() < 0x80) {
            bytes += static_cast<char>(c.unicode());
        } else {
            const int n = c.unicode() > 0x7FFF ? c.unicode() - 0x10000 : c.unicode();
            bytes += "\\u" + std::to_string(n) + '?';
        }
    }
    try {
        return rtf::readRtf(bytes);
    } catch (const rtf::RtfError&) {
        return std::nullopt;
    }
}

// Plain text as QTextCursor::insertText wants it: '\n' for a paragraph end
// (CR LF, CR and LF all count as one), U+2028 for a line break.
QString insertablePlain(const QString& s) {
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == u'\r') {
            out += u'\n';
            if (i + 1 < s.size() && s.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\v') {
            out += kLineSeparator;
        } else if (c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1) {
            out += QChar(0xFFFD);  // Qt's frame markers are not text
        } else {
            out += c;
        }
    }
    return out;
}

// The fonts of a model, as Qt names them, and its formats as Qt formats.
class ModelFonts {
  public:
    explicit ModelFonts(const rtf::Document& model) {
        for (const rtf::Font& font : model.fonts) {
            QStringList names;
            if (!font.family.empty())
                names << QString::fromStdString(font.family);
            if (!font.alternative.empty())
                names << QString::fromStdString(font.alternative);
            families_.push_back(names);
            fixedPitch_.push_back(font.fixedPitch);
        }
    }

    QTextCharFormat format(const rtf::Format& f) const {
        QTextCharFormat cf;
        cf.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
        cf.setFontItalic(f.italic);
        cf.setFontUnderline(f.underline);
        if (f.color)
            cf.setForeground(QColor(f.color->red, f.color->green, f.color->blue));
        if (f.font >= 0 && f.font < static_cast<int>(families_.size())) {
            cf.setFontFamilies(families_[f.font]);
            if (fixedPitch_[f.font]) {
                cf.setFontFixedPitch(true);
                cf.setFontStyleHint(QFont::TypeWriter);
            }
        }
        if (f.halfPoints > 0)
            cf.setFontPointSize(f.halfPoints / 2.0);
        return cf;
    }

  private:
    std::vector<QStringList> families_;
    std::vector<bool> fixedPitch_;
};

void insertModel(QTextCursor& cursor, const rtf::Document& model) {
    const ModelFonts fonts(model);
    cursor.beginEditBlock();
    bool first = true;
    for (const rtf::Paragraph& p : model.paragraphs) {
        if (!first)
            cursor.insertBlock();
        first = false;
        for (const rtf::Run& r : p.runs)
            cursor.insertText(QString::fromStdU16String(r.text), fonts.format(r.format));
    }
    cursor.endEditBlock();
}

[[noreturn]] void cannotRead(const QString& path, const QString& reason) {
    throw RichTextError(QStringLiteral("%1 cannot be read: %2").arg(path, reason).toStdString());
}

// The whole of a document file. Only a regular file of a sane size will do:
// a FIFO or a device could block the program or never end. It is checked
// before opening and again on the open file, which is opened without
// blocking in case something else took its place meanwhile.
std::string readDocumentFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        if (errno == ENOENT)
            throw RichTextError(QStringLiteral("%1 does not exist").arg(path).toStdString());
        cannotRead(path, QString::fromLocal8Bit(std::strerror(errno)));
    }
    const QString tooLarge =
        QStringLiteral("it is larger than %1 MB").arg(kMaxDocumentBytes / (off_t{1024} * 1024));
    auto check = [&](const struct stat& s) {
        if (!S_ISREG(s.st_mode))
            cannotRead(path, QStringLiteral("it is not a regular file"));
        if (s.st_size > kMaxDocumentBytes)
            cannotRead(path, tooLarge);
    };
    check(info);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        cannotRead(path, QString::fromLocal8Bit(std::strerror(errno)));
    std::string bytes;
    try {
        if (::fstat(fd, &info) != 0)
            cannotRead(path, QString::fromLocal8Bit(std::strerror(errno)));
        check(info);
        // Up to one byte past the limit, to see a file that grew beyond it.
        const auto limit = static_cast<std::size_t>(kMaxDocumentBytes);
        bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
        std::size_t got = 0;
        for (;;) {
            if (got == bytes.size()) {
                if (got > limit)
                    cannotRead(path, tooLarge);
                bytes.resize(std::min(got * 2, limit + 1));
            }
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                cannotRead(path, QString::fromLocal8Bit(std::strerror(errno)));
            if (n == 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    return bytes;
}

}  // namespace

// Formats of a document filled by setFormattedText that the document does
// not hold yet.
struct detail::DeferredFormats {
    std::vector<QTextCharFormat> formats;
    std::vector<FormattedText::Stretch> stretches;  // length 0 once applied
    std::size_t remaining = 0;
    bool undoRedo = true;  // what the document had before deferring
};

namespace {

using detail::DeferredFormats;

// Collects the fonts of a document being written, one table entry per family.
class FontTable {
  public:
    explicit FontTable(rtf::Document& model) : model_(model) {}

    int indexOf(const QFont& font) {
        const QStringList families = font.families();
        const QString requested = families.isEmpty() ? font.family() : families.first();
        const auto found = index_.constFind(requested);
        if (found != index_.constEnd())
            return *found;
        // Name the face actually shown rather than a classic name it stands
        // in for, which other programs may not have; the pitch flag lets them
        // pick a like face when they lack this one too.
        const QFontInfo shown(font);
        rtf::Font entry;
        entry.family = (shown.family().isEmpty() ? requested : shown.family()).toStdString();
        entry.fixedPitch =
            shown.fixedPitch() || font.fixedPitch() || font.styleHint() == QFont::TypeWriter;
        const int index = static_cast<int>(model_.fonts.size());
        model_.fonts.push_back(std::move(entry));
        index_.insert(requested, index);
        return index;
    }

  private:
    rtf::Document& model_;
    QHash<QString, int> index_;
};

rtf::Format modelFormat(const QTextCharFormat& cf, const QFont& base, FontTable& fonts) {
    const QFont font = cf.font().resolve(base);
    rtf::Format f;
    f.bold = font.bold();
    f.italic = font.italic();
    const auto style = cf.underlineStyle();
    f.underline = font.underline() || (style != QTextCharFormat::NoUnderline &&
                                       style != QTextCharFormat::SpellCheckUnderline);
    if (cf.hasProperty(QTextFormat::ForegroundBrush) && cf.foreground().style() != Qt::NoBrush) {
        const QColor c = cf.foreground().color().toRgb();
        f.color =
            rtf::Color{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                       static_cast<std::uint8_t>(c.blue())};
    }
    f.font = fonts.indexOf(font);
    // A font has either a size in points or one in pixels.
    f.halfPoints = font.pointSizeF() > 0 ? qRound(font.pointSizeF() * 2)
                                         : qRound(font.pixelSize() * 1.5);  // 96 pixels to the inch
    return f;
}

}  // namespace

// Pasted or dropped text comes in plain, as the plain-text editor does it: the
// box holds nothing its RTF writer cannot express.
RichTextBox::RichTextBox(QWidget* parent) : QPlainTextEdit(parent) {}

RichTextBox::~RichTextBox() = default;

// --- positions -------------------------------------------------------------

const QTextDocument* RichTextBox::plainDocument() const {
    return QPlainTextEdit::document();
}

int RichTextBox::documentEnd() const {
    return plainDocument()->characterCount() - 1;
}

int RichTextBox::textLength() const {
    return documentEnd() + plainDocument()->blockCount() - 1;
}

int RichTextBox::toBox(int documentPosition) const {
    const int d = std::clamp(documentPosition, 0, documentEnd());
    return d + plainDocument()->findBlock(d).blockNumber();
}

int RichTextBox::toDocument(int boxPosition, bool roundUp) const {
    const QTextDocument* doc = plainDocument();
    const int p = std::clamp(boxPosition, 0, textLength());
    // The last block whose box position is at or before p; block n starts at
    // its document position plus the n extra LFs before it.
    int lo = 0;
    int hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= p) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    const QTextBlock block = doc->findBlockByNumber(lo);
    const int offset = p - (block.position() + lo);
    const int textLength = block.length() - 1;
    if (offset <= textLength)
        return block.position() + offset;
    // Between the CR and the LF.
    return roundUp ? block.position() + block.length() : block.position() + textLength;
}

QString RichTextBox::boxText(int from, int to) const {
    QString out;
    if (to <= from)
        return out;
    for (QTextBlock b = plainDocument()->findBlock(from); b.isValid() && b.position() < to;
         b = b.next()) {
        const int start = b.position();
        const int separator = start + b.length() - 1;
        const int s = std::max(from, start);
        const int e = std::min(to, separator);
        if (e > s)
            out += b.text().mid(s - start, e - s);
        if (to > separator)
            out += QLatin1String("\r\n");
    }
    out.replace(kLineSeparator, u'\v');
    return out;
}

void RichTextBox::selectDocumentRange(int from, int to) {
    QTextCursor c = textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString RichTextBox::text() const {
    return boxText(0, documentEnd());
}

void RichTextBox::setText(const QString& plain) {
    replaceContent(nullptr, plain);
}

int RichTextBox::selStart() const {
    return toBox(textCursor().selectionStart());
}

void RichTextBox::setSelStart(int position) {
    const int d = toDocument(std::max(position, 0), false);
    selectDocumentRange(d, d);
}

int RichTextBox::selLength() const {
    const QTextCursor c = textCursor();
    return toBox(c.selectionEnd()) - toBox(c.selectionStart());
}

void RichTextBox::setSelLength(int length) {
    const int startDoc = textCursor().selectionStart();
    const long long endBox = static_cast<long long>(toBox(startDoc)) + std::max(length, 0);
    const int endDoc =
        toDocument(static_cast<int>(std::min<long long>(endBox, textLength())), true);
    selectDocumentRange(startDoc, endDoc);
}

QString RichTextBox::selText() const {
    const QTextCursor c = textCursor();
    return boxText(c.selectionStart(), c.selectionEnd());
}

void RichTextBox::setSelText(const QString& textOrRtf) {
    QTextCursor c = editCursor();
    if (looksLikeRtf(textOrRtf)) {
        if (const auto model = parseRtf(textOrRtf)) {
            c.beginEditBlock();
            c.removeSelectedText();
            insertModel(c, *model);
            c.endEditBlock();
            setTextCursor(c);
            return;
        }
    }
    c.insertText(insertablePlain(textOrRtf));
    setTextCursor(c);
}

// --- whole content ---------------------------------------------------------

QTextDocument* RichTextBox::freshDocument() {
    // The new content goes into a new document, attached while still empty:
    // the editor then takes the filling as one change (each filling is one
    // insertion or one edit block), whereas attaching a full document would
    // make a text layout for every paragraph at once.
    const QPointer<QTextDocument> old = QPlainTextEdit::document();
    const bool undo = deferred_ ? deferred_->undoRedo : old->isUndoRedoEnabled();
    deferred_.reset();
    auto* fresh = new QTextDocument(this);
    // The box's font lives in its document; the other settings are Qt's defaults.
    fresh->setDefaultFont(old->defaultFont());
    fresh->setDocumentLayout(new QPlainTextDocumentLayout(fresh));
    fresh->setUndoRedoEnabled(undo);
    setDocument(fresh);
    // The editor deletes only the document it made itself; ours go here.
    if (old && old->parent() == this)
        delete old;
    return fresh;
}

void RichTextBox::replaceContent(const rtf::Document* model, const QString& plain) {
    QTextDocument* fresh = freshDocument();
    // Replacing everything is not an edit the user could undo.
    const bool undo = fresh->isUndoRedoEnabled();
    fresh->setUndoRedoEnabled(false);
    QTextCursor c(fresh);
    if (model) {
        insertModel(c, *model);
    } else {
        c.insertText(insertablePlain(plain));
    }
    fresh->setUndoRedoEnabled(undo);
    setTextCursor(QTextCursor(fresh));
    setCurrentCharFormat(QTextCharFormat());
}

void RichTextBox::setFormattedText(FormattedText content) {
    QTextDocument* fresh = freshDocument();
    auto pending = std::make_unique<DeferredFormats>();
    pending->undoRedo = fresh->isUndoRedoEnabled();
    // Formatting stretch by stretch would fill the undo history.
    fresh->setUndoRedoEnabled(false);
    // One insertion: every character, paragraph ends included, takes one
    // document position, so the stretches' positions hold as given.
    QTextCursor(fresh).insertText(content.text, content.baseFormat);
    const int end = static_cast<int>(content.text.size());
    // Stretches outside the text or with an unknown format are dropped.
    const std::size_t formats = content.formats.size();
    std::erase_if(content.stretches, [end, formats](const FormattedText::Stretch& s) {
        return s.length <= 0 || s.position < 0 || s.position > end - s.length || s.format < 0 ||
               static_cast<std::size_t>(s.format) >= formats;
    });
    pending->stretches = std::move(content.stretches);
    pending->formats = std::move(content.formats);
    pending->remaining = pending->stretches.size();
    deferred_ = std::move(pending);
    setTextCursor(QTextCursor(fresh));
    setCurrentCharFormat(QTextCharFormat());
    // Deferring needs a text nobody types into, or the positions would move.
    // With nothing left to defer, this only gives back the undo history.
    if (!isReadOnly() || deferred_->remaining == 0)
        formatted();
}

QTextDocument* RichTextBox::document() const {
    return formatted();
}

QTextCursor RichTextBox::editCursor() {
    formatted();
    return textCursor();
}

QTextDocument* RichTextBox::formatted(int from, int to) const {
    QTextDocument* doc = QPlainTextEdit::document();
    if (!deferred_)
        return doc;
    auto& runs = deferred_->stretches;
    auto it = std::partition_point(
        runs.begin(), runs.end(),
        [from](const FormattedText::Stretch& r) { return r.position + r.length <= from; });
    QTextCursor c(doc);
    c.beginEditBlock();
    for (; it != runs.end() && (to < 0 || it->position < to); ++it) {
        if (it->length == 0)
            continue;
        c.setPosition(it->position);
        c.setPosition(it->position + it->length, QTextCursor::KeepAnchor);
        c.setCharFormat(deferred_->formats[static_cast<std::size_t>(it->format)]);
        it->length = 0;
        --deferred_->remaining;
    }
    c.endEditBlock();
    if (deferred_->remaining == 0) {
        doc->setUndoRedoEnabled(deferred_->undoRedo);
        deferred_.reset();
    }
    return doc;
}

void RichTextBox::paintEvent(QPaintEvent* event) {
    if (deferred_) {
        // The paragraphs about to be painted, as laid out now; taking their
        // formats may lay them out again before they are drawn.
        QTextBlock block = firstVisibleBlock();
        const int from = block.position();
        int to = from;
        qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
        while (block.isValid() && top <= viewport()->height()) {
            to = block.position() + block.length();
            top += blockBoundingRect(block).height();
            block = block.next();
        }
        formatted(from, to);
    }
    QPlainTextEdit::paintEvent(event);
}

void RichTextBox::changeEvent(QEvent* event) {
    // Once the player may type, positions can move: complete the formats.
    if (event->type() == QEvent::ReadOnlyChange && !isReadOnly())
        formatted();
    QPlainTextEdit::changeEvent(event);
}

QMimeData* RichTextBox::createMimeDataFromSelection() const {
    formatted();
    return QPlainTextEdit::createMimeDataFromSelection();
}

rtf::Document RichTextBox::toModel(int from, int to) const {
    const QTextDocument* doc = formatted();
    rtf::Document model;
    FontTable fonts(model);
    const QFont base = doc->defaultFont();
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.position() <= to; b = b.next()) {
        if (b.position() > from)
            model.paragraphs.emplace_back();
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int fs = fragment.position();
            const int s = std::max(from, fs);
            const int e = std::min(to, fs + fragment.length());
            if (e <= s)
                continue;
            const QString piece = fragment.text().mid(s - fs, e - s);
            rtf::appendText(model, piece.toStdU16String(),
                            modelFormat(fragment.charFormat(), base, fonts));
        }
    }
    return model;
}

QString RichTextBox::textRTF() const {
    return QString::fromLatin1(rtf::writeRtf(toModel(0, documentEnd())));
}

void RichTextBox::setTextRTF(const QString& rtfText) {
    if (looksLikeRtf(rtfText)) {
        if (const auto model = parseRtf(rtfText)) {
            replaceContent(&*model, {});
            return;
        }
    }
    replaceContent(nullptr, rtfText);
}

void RichTextBox::saveFile(const QString& path) const {
    const std::string bytes = rtf::writeRtf(toModel(0, documentEnd()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        throw RichTextError(
            QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString()).toStdString());
    }
}

void RichTextBox::loadFile(const QString& path) {
    const std::string bytes = readDocumentFile(path);
    rtf::Document model;
    try {
        model = rtf::readRtf(bytes);
    } catch (const rtf::RtfError& e) {
        throw RichTextError(QStringLiteral("%1 is not a readable RTF document: %2")
                                .arg(path, QString::fromUtf8(e.what()))
                                .toStdString());
    }
    replaceContent(&model, {});
}

// --- formatting, search, printing ------------------------------------------

void RichTextBox::setSelColor(const QColor& color) {
    QTextCharFormat f;
    f.setForeground(color);
    QTextCursor c = editCursor();
    c.mergeCharFormat(f);
    setTextCursor(c);
}

void RichTextBox::setSelUnderline(bool underline) {
    QTextCharFormat f;
    f.setFontUnderline(underline);
    QTextCursor c = editCursor();
    c.mergeCharFormat(f);
    setTextCursor(c);
}

int RichTextBox::find(const QString& what, int start, int end, bool matchCase) {
    if (what.isEmpty())
        return -1;
    const QString all = text();
    int from = 0;
    int to = static_cast<int>(all.size());
    if (start < 0 && end < 0) {
        if (selLength() > 0) {
            from = selStart();
            to = from + selLength();
        }
    } else if (start >= 0) {
        from = start;
        if (end >= 0)
            to = end;
    } else {
        from = selStart();
        to = end;
    }
    to = std::min(to, static_cast<int>(all.size()));
    if (from > to)
        return -1;
    const qsizetype hit =
        QStringView(all)
            .mid(from, to - from)
            .indexOf(what, 0, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
    if (hit < 0)
        return -1;
    const int position = from + static_cast<int>(hit);
    selectDocumentRange(toDocument(position, false),
                        toDocument(position + static_cast<int>(what.size()), true));
    return position;
}

void RichTextBox::selPrint(QPrinter& printer) const {
    const QTextDocument* doc = formatted();
    QTextDocument copy;
    copy.setDefaultFont(doc->defaultFont());
    const QTextCursor c = textCursor();
    QTextCursor(&copy).insertFragment(c.hasSelection() ? c.selection()
                                                       : QTextDocumentFragment(doc));
    // Laid out on the printer's page (in screen pixels, which print() scales),
    // so the pages carry the text only and no page numbers.
    const qreal dpi = logicalDpiY();
    const QRectF inches = printer.pageLayout().paintRect(QPageLayout::Inch);
    copy.setPageSize(inches.size() * dpi);
    copy.setDocumentMargin(dpi / 2);
    copy.print(&printer);
}

void RichTextBox::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    emit mouseUp();
}

}  // namespace quillbox::ui

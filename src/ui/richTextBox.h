#pragma once
// A rich-text box with the operations the windows rely on. Every position,
// length and search counts in the box's plain text, in which each paragraph
// ends with CR LF, whatever the underlying Qt document stores.
//
// Counting rule: the paragraphs are joined by CR LF, and the paragraph after
// the last line end (empty when the text ends in CR LF) adds nothing. So a box
// filled by inserting "AB\r\n" and then "CD\r\n" has the text "AB\r\nCD\r\n"
// (length 8) and the caret after it stands at 8. A line break inside a
// paragraph counts as one character, "\v". A position between the CR and the
// LF of a paragraph end is moved out of it: a caret or a selection's start to
// before the CR, a selection's end to after the LF.
#include <QColor>
#include <QPlainTextEdit>
#include <QString>
#include <QTextCharFormat>
#include <memory>
#include <stdexcept>
#include <vector>

class QPrinter;

namespace quillbox::ui::rtf {
struct Document;
}

namespace quillbox::ui {

// Text with its formatting, ready to go into a box in one piece. '\n' ends a
// paragraph. The text is in baseFormat except for the stretches, each in one
// of formats.
struct FormattedText {
    struct Stretch {
        int position;
        int length;
        int format;  // index into formats
    };
    QString text;
    QTextCharFormat baseFormat;
    std::vector<QTextCharFormat> formats;
    std::vector<Stretch> stretches;  // in position order, not overlapping
};

namespace detail {
struct DeferredFormats;
}

// Raised by saveFile and loadFile; what() names the file and the reason.
class RichTextError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Built on the plain-text editor, which lays out only the paragraphs in view:
// a box holding tens of thousands of lines fills and shows at once. Its
// document still carries every character format.
class RichTextBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit RichTextBox(QWidget* parent = nullptr);
    ~RichTextBox() override;

    // Plain text; setting "" empties the box, formatting included. CR LF, a
    // lone CR and a lone LF each end a paragraph; "\v" is a line break.
    QString text() const;
    void setText(const QString& plain);
    // text().size(), without building the text.
    int textLength() const;

    // Caret position; a position past the end puts the caret at the end.
    int selStart() const;
    void setSelStart(int position);
    // Selection from the caret; past the end selects everything from the caret on.
    int selLength() const;
    void setSelLength(int length);
    QString selText() const;
    // Replaces the selection: a plain string as plain text; a string holding a
    // whole RTF document ("{\rtf...") is inserted with its formatting. A
    // string that starts like RTF but cannot be read goes in as plain text.
    // The caret ends after the inserted text, with nothing selected.
    void setSelText(const QString& textOrRtf);

    // The whole content as one RTF document; setting "" empties the box.
    // Setting a string that is not RTF shows it as plain text.
    QString textRTF() const;
    void setTextRTF(const QString& rtf);

    // Replaces the whole content: the fast way to fill the box with thousands
    // of formatted lines. In a read-only box each paragraph takes its formats
    // when it is first shown, or when anything reads or changes formats or
    // text (document(), RTF, saving, printing, copying, becoming editable).
    // The caret ends at the start.
    void setFormattedText(FormattedText content);

    // The document with every character format in place. It hides the
    // editor's own document(), so that no caller sees formats still missing.
    QTextDocument* document() const;

    // Without a selection these set the format of text inserted at the caret.
    void setSelColor(const QColor& color);
    void setSelUnderline(bool underline);

    // Throws RichTextError when the file cannot be written; an existing file
    // is then left as it was.
    void saveFile(const QString& path) const;
    // Replaces the content; throws RichTextError when the file is missing,
    // unreadable or not RTF, and then leaves the content as it was.
    void loadFile(const QString& path);

    // Finds text and selects it, scrolling it into view; returns the 0-based
    // position or -1. A negative start or end means "not given": with neither,
    // it searches the selection if there is one, else everything; with only a
    // start, from there to the end; with only an end, from the caret to there.
    // The match must lie wholly between start and end. Empty text is never found.
    int find(const QString& what, int start = -1, int end = -1, bool matchCase = false);

    // Prints the selection, or everything when nothing is selected.
    void selPrint(QPrinter& printer) const;

  signals:
    // After a mouse button is released over the box.
    void mouseUp();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

  private:
    // The one way to the formats of a box filled by setFormattedText: the
    // document with the deferred formats of the paragraphs between the two
    // document positions in place ((0, -1): all of them).
    QTextDocument* formatted(int from = 0, int to = -1) const;
    // The document for positions and plain text only; its formats may still
    // be missing, and being const it cannot be changed through this.
    const QTextDocument* plainDocument() const;
    // The caret's cursor, for a change to the text or its formats: the
    // deferred formats go in first, while their positions still hold.
    QTextCursor editCursor();

    int documentEnd() const;
    int toBox(int documentPosition) const;
    int toDocument(int boxPosition, bool roundUp) const;
    QString boxText(int from, int to) const;
    void selectDocumentRange(int from, int to);
    rtf::Document toModel(int from, int to) const;
    // Empties the box into a new document, which it returns.
    QTextDocument* freshDocument();
    void replaceContent(const rtf::Document* model, const QString& plain);

    mutable std::unique_ptr<detail::DeferredFormats> deferred_;
};

}  // namespace quillbox::ui

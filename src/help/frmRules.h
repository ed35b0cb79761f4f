#pragma once
// The rules viewer: the rules document beside a fixed table of contents.
#include <QStringList>
#include <QWidget>

#include "ui/singleInstance.h"

class QLabel;
class QListWidget;

namespace quillbox::ui {
class RichTextBox;
}

namespace quillbox::help {

class frmRules : public QWidget, public ui::SingleInstance<frmRules> {
    Q_OBJECT
  public:
    explicit frmRules(QWidget* parent = nullptr);
    ~frmRules() override;

    // The table of contents; sub-topics carry two leading blanks.
    static const QStringList& contentsEntries();

    ui::RichTextBox* rtbRules;
    QListWidget* lstContents;
    QLabel* lblContents;

    // Replaces the document with the RTF file at path. Throws
    // ui::RichTextError when the file is missing or not RTF; the view then
    // keeps what it showed.
    void loadDocument(const QString& path);

    // Brings the selected entry's section into view.
    void lstContents_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool mousePressInList_ = false;
};

}  // namespace quillbox::help

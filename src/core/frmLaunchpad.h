#pragma once
// The launch pad: the program's first window, with the two games, Exit and
// the word-lookup box.
#include <QDialog>

#include "ui/singleInstance.h"

class QLabel;
class QPushButton;

namespace quillbox::ui {
class MaskedLetterBox;
}

namespace quillbox::core {

class frmLaunchpad : public QDialog, public ui::SingleInstance<frmLaunchpad> {
    Q_OBJECT
  public:
    explicit frmLaunchpad(QWidget* parent = nullptr);
    ~frmLaunchpad() override;

    QPushButton* cmdClassic;
    QPushButton* cmdCrossword;
    QPushButton* cmdExit;
    QLabel* lblWord;
    ui::MaskedLetterBox* mskWord;
    QLabel* Image1;
    QLabel* lblDef;
    QLabel* lblDefinition;

    void cmdClassic_Click();
    void cmdCrossword_Click();
    void cmdExit_Click();
    void mskWord_Change();

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc closes the launch pad (the cancel button), not merely hides it.
    void reject() override;

  private:
};

}  // namespace quillbox::core

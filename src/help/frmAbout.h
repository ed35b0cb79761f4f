#pragma once
// The about box: title, version, description and notice, all taken from the
// program's identity data.
#include <QDialog>
#include <array>

#include "ui/singleInstance.h"

class QFrame;
class QLabel;
class QPushButton;

namespace quillbox::help {

class frmAbout : public QDialog, public ui::SingleInstance<frmAbout> {
    Q_OBJECT
  public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;

    QPushButton* cmdOK;
    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    // The etched separator: a white line under a grey one.
    std::array<QFrame*, 2> Line1{};

    void cmdOK_Click();

  private:
    void Form_Load();
};

}  // namespace quillbox::help

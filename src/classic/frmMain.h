#pragma once
// The Classic game window.
#include <QMainWindow>

#include "ui/singleInstance.h"

namespace quillbox {

class frmMain : public QMainWindow, public ui::SingleInstance<frmMain> {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace quillbox

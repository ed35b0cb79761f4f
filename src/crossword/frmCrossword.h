#pragma once
// The Crossword window.
#include <QMainWindow>

#include "ui/singleInstance.h"

namespace quillbox {

class frmCrossword : public QMainWindow, public ui::SingleInstance<frmCrossword> {
    Q_OBJECT
public:
    explicit frmCrossword(QWidget* parent = nullptr);
    ~frmCrossword() override;

protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace quillbox

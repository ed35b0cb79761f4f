#pragma once
// The rules viewer.
#include <QWidget>

#include "ui/singleInstance.h"

namespace quillbox {

class frmRules : public QWidget, public ui::SingleInstance<frmRules> {
    Q_OBJECT
public:
    explicit frmRules(QWidget* parent = nullptr);
    ~frmRules() override;
};

}  // namespace quillbox

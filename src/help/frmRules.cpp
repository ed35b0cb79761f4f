#include "help/frmRules.h"

#include "ui/appearance.h"
#include "ui/twips.h"

namespace quillbox {

frmRules::frmRules(QWidget* parent) : QWidget(parent) {
    registerInstance(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Quillbox Rules"));
    setWindowIcon(ui::appIcon());
    resize(ui::tw(9285), ui::tw(6330));
}

frmRules::~frmRules() = default;

}  // namespace quillbox

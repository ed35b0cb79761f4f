#include "help/programIdentity.h"

namespace quillbox::help {

const ProgramIdentity& programIdentity() {
    static const ProgramIdentity identity{QStringLiteral(QUILLBOX_TITLE),
                                          QUILLBOX_VERSION_MAJOR,
                                          QUILLBOX_VERSION_MINOR,
                                          QUILLBOX_VERSION_PATCH,
                                          QStringLiteral(QUILLBOX_DESCRIPTION),
                                          QStringLiteral(QUILLBOX_COMMENTS)};
    return identity;
}

}  // namespace quillbox::help

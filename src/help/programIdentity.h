#pragma once
// The program's identity (title, version, description, notice), fixed by the
// build so that every window shows the same values as the version data.
#include <QString>

namespace quillbox::help {

struct ProgramIdentity {
    QString title;
    int major;
    int minor;
    int revision;
    QString description;
    QString comments;
};

const ProgramIdentity& programIdentity();

}  // namespace quillbox::help

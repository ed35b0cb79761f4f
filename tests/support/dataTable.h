#pragma once
// The rows of a table written by hand in tests/data: a row a line, its fields
// parted by " | "; empty lines and lines that start with '#' are comments. A
// field "" is empty; \r, \n and \v stand for CR, LF and a line break.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <vector>

namespace quillbox::testing {

inline std::vector<QStringList> dataTable(const char* name) {
    QFile file(QStringLiteral(QUILLBOX_TEST_DATA "/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << name;
    std::vector<QStringList> rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n'))
        if (!line.isEmpty() && !line.startsWith(u'#'))
            rows.push_back(QString(line)
                               .replace(QStringLiteral("\\r"), QStringLiteral("\r"))
                               .replace(QStringLiteral("\\n"), QStringLiteral("\n"))
                               .replace(QStringLiteral("\\v"), QStringLiteral("\v"))
                               .replace(QStringLiteral("\"\""), QString())
                               .split(QStringLiteral(" | ")));
    return rows;
}

}  // namespace quillbox::testing

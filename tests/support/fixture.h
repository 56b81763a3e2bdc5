#pragma once
// A test that works in a fresh temporary directory as the current directory,
// with every seam cleared before and after.

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

// readable QString values in failure messages
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

class InTempDir : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// Whole-file helpers for fixtures.
QByteArray readFile(const QString& name);
void writeFile(const QString& name, const QByteArray& bytes);

// A fixture file of tests/fixtures.
QString testDataPath(const QString& name);

// Clears the box, system, clock and file seams.
void clearSeams();

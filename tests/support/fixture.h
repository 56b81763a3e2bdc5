#pragma once
// A test that works in a fresh temporary directory as the current directory,
// with every seam cleared before and after.

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

// readable QString values in failure messages
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

class InTempDir : public ::testing::Test {
protected:
    InTempDir() = default;
    // the folder made from a template of QTemporaryDir's ("…/name-XXXXXX")
    explicit InTempDir(const QString& templatePath)
        : dir_(templatePath)
    {
    }
    void SetUp() override;
    void TearDown() override;

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// Whole-file helpers for fixtures.
QByteArray readFile(const QString& name);
void writeFile(const QString& name, const QByteArray& bytes);

// Clears the box, system, clock, file and sound seams.
void clearSeams();

// What every test does with an error that reaches Application::notify: the
// handlers must have caught it at their own boundary.
void failOnLastResort(const QString& message);

// The message of the error that action throws, or "(no error)".
QString errorOf(const std::function<void()>& action);

// The exit code of a child process that write-protects file, drops to an
// unprivileged user (root may write anyway) and runs action: 0 when action
// fails with "File access denied", 1 with another outcome, 2 or 3 when the
// check itself could not be made.
int accessDeniedAsUnprivilegedUser(const QString& file, const std::function<void()>& action);

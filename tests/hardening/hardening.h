#pragma once
// What the hardening tests share: records as the files hold them, running an
// operation as a user action (so that its error reaches the error report),
// and running one in a child process with other rights or limits.

#include "data/records.h"
#include "support/fixture.h"
#include "support/rawrecords.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/types.h>
#include <vector>

inline const QString kCatalogue = kArquivoExercicios;
inline const QString kStudents = kArquivoAlunos;
inline const QString kLessons = kArquivoAulas;

tAula lesson(std::int32_t student, std::int32_t tempo);

// Runs action as the handler of an event, as a click would, and returns the
// texts of the error reports shown meanwhile.
QStringList reportsOf(const std::function<void()>& action);

// Runs action in a forked child after prepare (which may drop rights or set
// limits; false when it cannot) and returns the message of the error that
// action ended with, "(no error)", or a text that says why nothing ran.
QString errorInChild(const std::function<bool()>& prepare, const std::function<void()>& action);

// Drops to the unprivileged user nobody when running as root, who may
// write anywhere.
bool dropRoot();

// A memory-backed folder to work in when there is one: the tests of killed
// and concurrent writers flush thousands of records, slow on some disks.
QString fastTemporaryRoot();

// A test in a fresh folder of fastTemporaryRoot() as the current directory,
// with every seam cleared before and after.
class InFastDir : public InTempDir {
protected:
    InFastDir()
        : InTempDir(fastTemporaryRoot() + QStringLiteral("/quiravo-XXXXXX"))
    {
    }
};

// Starts the writer program (gravador.cpp) on the folder with its two
// arguments, with these variables added to its environment; -1 when it
// cannot be started.
pid_t startWriterProgram(const QString& dir, const std::string& what, long count,
                         const std::vector<std::string>& environment = {});

// The exit code of a child process; 128 + the signal that ended it.
int exitCodeOf(pid_t pid);

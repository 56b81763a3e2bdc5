#include "fuzz/entry.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication application(*argc, *argv);
    static QTemporaryDir directory;
    if (!directory.isValid() || !QDir::setCurrent(directory.path())) {
        std::fprintf(stderr, "no temporary directory to work in\n");
        std::abort();
    }
    return 0;
}

int fuzzOne(Check check, const std::uint8_t* data, std::size_t size)
{
    const QString finding =
        check(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!finding.isEmpty()) {
        std::fprintf(stderr, "FINDING: %s\n", finding.toLocal8Bit().constData());
        std::abort();
    }
    return 0;
}

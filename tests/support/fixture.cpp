#include "fixture.h"

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/recordfile.h"
#include "platform/system.h"

#include <QFile>

void clearSeams()
{
    boxseam::clear();
    systemseam::clear();
    systemseam::setDisplayWidth(1280);
    clockseam::reset();
    fileseam::clear();
}

void InTempDir::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    clearSeams();
}

void InTempDir::TearDown()
{
    clearSeams();
    QDir::setCurrent(previous_);
}

QByteArray readFile(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QString testDataPath(const QString& name)
{
    return QStringLiteral(QUIRAVO_TEST_DATA "/") + name;
}

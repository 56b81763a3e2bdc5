// The pictures built into the program.

#include "support/fixture.h"

#include "ui/jpeg.h"

#include <QFile>
#include <QIcon>
#include <QSvgRenderer>

TEST(Recursos, ThePhotographsDecodeWithLibjpegAt640x480)
{
    for (const char* foto : {":/assets/fotos/menu.jpg", ":/assets/fotos/paisagem.jpg"}) {
        const QImage imagem = CarregaJpeg(QString::fromLatin1(foto));
        EXPECT_EQ(imagem.size(), QSize(640, 480)) << foto;
    }
}

TEST(Recursos, ADamagedPictureDecodesToNothingWithoutEndingTheProgram)
{
    QFile arquivo(QStringLiteral(":/assets/fotos/menu.jpg"));
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    const QByteArray inteira = arquivo.readAll();
    // a cut picture decodes as far as it goes, without a message or an exit
    EXPECT_EQ(DecodificaJpeg(inteira.left(600)).size(), QSize(640, 480));
    QByteArray semCabecalho = inteira;
    semCabecalho[1] = 'X';
    EXPECT_TRUE(DecodificaJpeg(semCabecalho).isNull());
    EXPECT_TRUE(DecodificaJpeg(QByteArray("not a picture")).isNull());
    EXPECT_TRUE(DecodificaJpeg(QByteArray()).isNull());
}

TEST(Recursos, TheButtonPicturesAreVectorsWithAGreyedForm)
{
    for (const char* nome : {"andando", "certo", "escrevendo", "cancela", "porta", "correndo", "logo"}) {
        const QString caminho = QStringLiteral(":/assets/icons/%1.svg").arg(QString::fromLatin1(nome));
        EXPECT_TRUE(QSvgRenderer(caminho).isValid()) << nome;
        const QIcon icone(caminho);
        const QImage normal = icone.pixmap(QSize(24, 24), QIcon::Normal).toImage();
        const QImage cinza = icone.pixmap(QSize(24, 24), QIcon::Disabled).toImage();
        ASSERT_FALSE(normal.isNull()) << nome;
        EXPECT_NE(normal, cinza) << nome;
    }
}

class Fotos : public InTempDir {};

// A picture asked for again is the one a direct decoding gives; one that
// could not be read is read again once it is there.
TEST_F(Fotos, APictureIsDecodedOnceAndAMissingOneIsTriedAgain)
{
    QFile original(QStringLiteral(":/assets/fotos/menu.jpg"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    const QString presente = path(QStringLiteral("presente.jpg"));
    const QString ausente = path(QStringLiteral("ausente.jpg"));
    writeFile(presente, bytes);

    EXPECT_EQ(CarregaJpeg(presente), DecodificaJpeg(bytes));
    QFile::remove(presente);
    EXPECT_EQ(CarregaJpeg(presente), DecodificaJpeg(bytes));
    EXPECT_TRUE(CarregaJpeg(ausente).isNull());

    writeFile(ausente, bytes);
    EXPECT_EQ(CarregaJpeg(ausente).size(), QSize(640, 480));
}

#include "ui/jpeg.h"

#include <QFile>
#include <QHash>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return:
// it jumps back to decodifica, and no message goes to stderr.
struct ErroJpeg {
    jpeg_error_mgr base;
    std::jmp_buf salto;
};

[[noreturn]] void saiDoDecodificador(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErroJpeg*>(info->err)->salto, 1);
}

void semMensagem(j_common_ptr) {}

// Only plain data lives across setjmp here, so the jump skips no destructor.
bool decodifica(jpeg_decompress_struct* info, ErroJpeg* erro, const QByteArray& dados, QImage* destino)
{
    if (setjmp(erro->salto)) {
        jpeg_destroy_decompress(info);
        return false;
    }
    jpeg_create_decompress(info);
    jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(dados.constData()),
                 static_cast<unsigned long>(dados.size()));
    jpeg_read_header(info, TRUE);
    // three bytes a pixel: the decoded picture stays in memory, a quarter smaller than with a fourth byte
    info->out_color_space = JCS_RGB;
    jpeg_start_decompress(info);
    *destino = QImage(int(info->output_width), int(info->output_height), QImage::Format_RGB888);
    if (destino->isNull()) {
        jpeg_destroy_decompress(info);
        return false;
    }
    while (info->output_scanline < info->output_height) {
        JSAMPROW linha = destino->scanLine(int(info->output_scanline));
        jpeg_read_scanlines(info, &linha, 1);
    }
    jpeg_finish_decompress(info);
    jpeg_destroy_decompress(info);
    return true;
}

}  // namespace

QImage DecodificaJpeg(const QByteArray& dados)
{
    if (dados.isEmpty())
        return {};
    jpeg_decompress_struct info{};
    ErroJpeg erro{};
    info.err = jpeg_std_error(&erro.base);
    erro.base.error_exit = saiDoDecodificador;
    erro.base.output_message = semMensagem;
    QImage imagem;
    if (!decodifica(&info, &erro, dados, &imagem))
        return {};
    return imagem;
}

namespace {

QImage decodificaArquivo(const QString& caminho)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return {};
    return DecodificaJpeg(arquivo.readAll());
}

}  // namespace

// The splash and the about box show the same picture: it is decoded once. A
// picture that could not be read is tried again the next time.
QImage CarregaJpeg(const QString& caminho)
{
    static QHash<QString, QImage> decodificadas;
    if (const auto achada = decodificadas.constFind(caminho); achada != decodificadas.constEnd())
        return *achada;
    const QImage imagem = decodificaArquivo(caminho);
    if (!imagem.isNull())
        decodificadas.insert(caminho, imagem);
    return imagem;
}

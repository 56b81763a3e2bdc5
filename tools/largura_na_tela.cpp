#include "tools/largura_na_tela.h"

#include "ui/fontes.h"
#include "data/text.h"

#include <QFontMetrics>
#include <QRect>

MedidaNaTela medidaNaTela()
{
    const QFontMetrics linha(aparencia::fonteDaLinha());
    const auto largura = [linha](const QByteArray& linhaCp1252) {
        return linha.horizontalAdvance(fromCp1252(linhaCp1252));
    };
    const QFontMetrics instrucao(aparencia::fonteDaInstrucao());
    const QRect quadro(QPoint(0, 0), aparencia::kTamanhoDaInstrucao);
    const auto altura = [instrucao, quadro](const QString& texto) {
        return instrucao.boundingRect(quadro, Qt::AlignHCenter | Qt::TextWordWrap, texto).height();
    };
    return {largura, aparencia::kLarguraDaLinha, altura, aparencia::kTamanhoDaInstrucao.height()};
}

#include "tools/largura_na_tela.h"

#include "app/ajusta/fontes.h"
#include "data/text.h"

#include <QFontMetrics>

MedidaDaLinha medidaNaTela()
{
    const QFontMetrics metrics(aparencia::fonteDaLinha());
    const auto pixels = [metrics](const QByteArray& linhaCp1252) {
        return metrics.horizontalAdvance(fromCp1252(linhaCp1252));
    };
    return {pixels, aparencia::kLarguraDaLinha};
}

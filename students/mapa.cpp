#include "students/mapa.h"

#include "data/text.h"
#include "ui/teclado.h"

#include <QLocale>
#include <algorithm>

namespace mapa {

namespace {

void soma(FigurasDaTecla& tecla, const estatisticas::FigurasDoCaractere& f, QChar caractere)
{
    tecla.esperadas += f.pesoEsperadas;
    tecla.erradas += f.pesoErradas;
    tecla.cronometradas += f.pesoCronometradas;
    tecla.milissegundos += f.pesoMilissegundos;
    tecla.caracteres += caractere;
}

double limitado(double quanto)
{
    return std::clamp(quanto, 0.0, 1.0);
}

}  // namespace

std::vector<FigurasDaTecla> PorTecla(const estatisticas::TeclasDoAluno& teclas)
{
    std::vector<FigurasDaTecla> porTecla(teclado::abnt2().size());
    for (const char caractere : teclas.conhecidas()) {
        const QChar c = fromCp1252(QByteArrayView(&caractere, 1)).front();
        const std::optional<teclado::Digitacao> digitacao = teclado::digitacaoDe(c);
        if (!digitacao)
            continue;
        const estatisticas::FigurasDoCaractere f = teclas.figuras(caractere);
        soma(porTecla[size_t(digitacao->toque.tecla)], f, c);
        if (digitacao->morta)
            soma(porTecla[size_t(digitacao->morta->tecla)], f, c);
    }
    return porTecla;
}

std::optional<double> Calor(const FigurasDaTecla& tecla, Vista vista)
{
    if (vista == Vista::Erros)
        return tecla.conhecida() ? std::optional(limitado(tecla.taxaDeErro() / kErroVermelho)) : std::nullopt;
    if (tecla.cronometradas <= 0)
        return std::nullopt;
    const double lentidao = tecla.msPorToque() / (60000 / estatisticas::kAlvoTm);
    return limitado((lentidao - 1) / (kLentidaoVermelha - 1));
}

QString Descricao(const FigurasDaTecla& tecla)
{
    if (!tecla.conhecida())
        return {};
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    QString texto = QStringLiteral("%1: %2 % de erros")
                        .arg(tecla.caracteres.simplified().isEmpty() ? QStringLiteral("espaço") : tecla.caracteres,
                             brasil.toString(100 * tecla.taxaDeErro(), 'f', 0));
    if (tecla.cronometradas > 0)
        texto += QStringLiteral(", %1 t/m").arg(brasil.toString(60000 / tecla.msPorToque(), 'f', 0));
    return texto;
}

QString Titulo(Vista vista)
{
    return vista == Vista::Erros ? QStringLiteral("Erros de cada tecla") : QStringLiteral("Velocidade de cada tecla");
}

QString Legenda(Vista vista)
{
    if (vista == Vista::Erros)
        return QStringLiteral("Verde: sem erros; amarelo: alguns; vermelho: %1 % ou mais. Branco: ainda não digitada.")
            .arg(int(kErroVermelho * 100));
    return QStringLiteral("Verde: %1 t/m ou mais; amarelo: metade; vermelho: um terço. Branco: ainda não digitada.")
        .arg(int(estatisticas::kAlvoTm));
}

}  // namespace mapa

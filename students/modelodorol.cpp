#include "students/modelodorol.h"

#include "platform/clock.h"

#include <utility>

void ModeloDoRol::troca(std::vector<AlunoDoProfessor> alunos)
{
    beginResetModel();
    alunos_ = std::move(alunos);
    endResetModel();
}

int ModeloDoRol::linhaDe(std::int32_t codigo) const
{
    for (size_t i = 0; i < alunos_.size(); ++i) {
        if (alunos_[i].codigo == codigo)
            return int(i);
    }
    return -1;
}

int ModeloDoRol::rowCount(const QModelIndex& pai) const
{
    return pai.isValid() ? 0 : int(alunos_.size());
}

int ModeloDoRol::columnCount(const QModelIndex& pai) const
{
    return pai.isValid() ? 0 : kColunas;
}

QVariant ModeloDoRol::data(const QModelIndex& indice, int papel) const
{
    if (papel == Qt::TextAlignmentRole && indice.column() != kColunaNome)
        return int(Qt::AlignCenter);
    if (papel != Qt::DisplayRole)
        return {};
    const AlunoDoProfessor& a = aluno(indice.row());
    switch (indice.column()) {
    case kColunaCodigo: return a.codigo;
    case kColunaNome: return a.nome;
    default: return a.ultimaAula.isNull() ? QStringLiteral("—") : shortDate(a.ultimaAula);
    }
}

QVariant ModeloDoRol::headerData(int secao, Qt::Orientation orientacao, int papel) const
{
    if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole)
        return {};
    static const QString titulos[kColunas] = {QStringLiteral("Código"), QStringLiteral("Nome"),
                                              QStringLiteral("Última aula")};
    return titulos[secao];
}

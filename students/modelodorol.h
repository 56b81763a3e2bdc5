#pragma once
// The roster as the teacher's list shows it: number, name, last lesson.

#include "students/professor.h"

#include <QAbstractTableModel>
#include <cstdint>
#include <vector>

class ModeloDoRol : public QAbstractTableModel {
public:
    enum Coluna { kColunaCodigo, kColunaNome, kColunaUltimaAula, kColunas };

    using QAbstractTableModel::QAbstractTableModel;

    void troca(std::vector<AlunoDoProfessor> alunos);
    const AlunoDoProfessor& aluno(int linha) const { return alunos_[size_t(linha)]; }
    // the row of the student numbered codigo; -1 when there is none
    int linhaDe(std::int32_t codigo) const;

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;

private:
    std::vector<AlunoDoProfessor> alunos_;
};

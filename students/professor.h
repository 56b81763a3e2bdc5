#pragma once
// The rules of the teacher's screen, without a screen: the roster as the
// teacher sees it and its search, what a correction changes, and how each
// change is told in the log.

#include "data/datafiles.h"
#include "data/records.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

struct AlunoDoProfessor {
    std::int32_t codigo = 0;
    QString nome;
    QString email;
    bool temSenha = false;
    std::optional<int> periodo;  // none when the record holds none of the three
    QDate ultimaAula;            // of the last exercise passed; null without one
};

// Every student of the roster, in its order, with the last lesson that the
// lesson file holds for each.
std::vector<AlunoDoProfessor> AlunosDoProfessor(const std::vector<tAluno>& rol);

// The search finds a part of the name, without regard to case or accents,
// or the student's number; an empty search finds everyone.
bool AtendeABusca(const AlunoDoProfessor& aluno, const QString& busca);

// What the teacher typed for a student.
struct FichaDoAluno {
    QString nome;
    QString email;
    std::optional<int> periodo;
    QString senhaNova;  // empty: the password stays as it is
};

// The fields of the ficha that differ from the student as stored.
CorrecaoAluno Diferencas(const AlunoDoProfessor& aluno, const FichaDoAluno& ficha);
bool SemDiferencas(const CorrecaoAluno& correcao);

// Why the ficha cannot be saved, in the registration screen's words, or nothing.
std::optional<QString> ProblemaDaFicha(const FichaDoAluno& ficha);

// What the log says of a correction: never a password, nor an e-mail address.
QStringList DescreveCorrecao(const AlunoDoProfessor& antes, const CorrecaoAluno& correcao);

// Rewrites the student's record with the correction and adds the change to
// the log, the two together: when either fails, the record stays as it was
// and the failure is thrown. Should the record not go back after its line
// failed, the correction stands: the answer then says so. The roster is read
// again by whoever shows it.
std::optional<QString> CorrigeAluno(const AlunoDoProfessor& aluno, const CorrecaoAluno& correcao);

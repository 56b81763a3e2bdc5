#pragma once
// Compiling checked exercises into the catalogue's 688-byte records.

#include "data/records.h"
#include "tools/fonte_do_curso.h"

#include <QByteArray>
#include <QList>

// One record: every text field scrambled with chave, the fields after the
// last line holding the empty-text marker, every reserved byte zero.
tExercicio compilaExercicio(const ExercicioDoCurso& exercise, const QByteArray& chave);

// The whole catalogue in course order, each record under a fresh key of its
// own that reads every field back unchanged.
QByteArray compilaCatalogo(const QList<ExercicioDoCurso>& exercises);

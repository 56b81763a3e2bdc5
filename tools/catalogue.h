#pragma once
// Compiling checked exercises into the catalogue's 688-byte records.

#include "data/records.h"
#include "tools/course_source.h"

#include <QByteArray>
#include <QList>

// One record: every text field scrambled with chave, the fields after the
// last line holding the empty-text marker, every reserved byte zero.
tExercicio compileExercise(const CourseExercise& exercise, const QByteArray& chave);

// The whole catalogue in course order, each record under a fresh key of its
// own that reads every field back unchanged.
QByteArray compileCatalogue(const QList<CourseExercise>& exercises);

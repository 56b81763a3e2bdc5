#pragma once
// The chart of a student's speed, pass after pass: one point per pass (its
// speed in t/m, its exercise number above it), the dates below, and the
// course's sections as bands behind, each with its number above it and its
// name in a legend under the dates. The progress screen and the class report
// draw it with the same code, each in its own font and resolution.

#include "students/desempenho.h"

#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <vector>

class QPainter;

// Where the parts of a chart lie in its area.
struct EixosDoGrafico {
    QRectF plano;      // where the points are drawn
    QRectF legenda;    // the sections' legend, at the bottom of the chart
    int topo = 0;      // the speed at the top of the plane, in t/m
    int degrau = 0;    // between two lines of the grid, in t/m
    size_t quantas = 0;  // passes

    // The width of each pass's column.
    double passo() const;
    double x(size_t passagem) const;
    double y(int velocidade) const;
    // The pass whose column holds x; -1 outside the plane or without passes.
    long passagemEm(double x) const;
};

// The legend of the sections that passagens went through, in course order:
// "n Name" each, as many to a line as largura holds in the font of medida.
QStringList linhasDaLegenda(const std::vector<Passagem>& passagens, const QFontMetricsF& medida, double largura);

// The axes of the chart of passagens in area, with room for texts in the
// font that medida measures.
EixosDoGrafico eixosDoGrafico(const QRectF& area, const QFontMetricsF& medida,
                              const std::vector<Passagem>& passagens, int melhorVelocidade);

// Draws the chart in area, in the painter's font. Pens and dots are sized for
// the device's resolution, so that paper gets what the screen gets.
void desenhaGrafico(QPainter& pintor, const QRectF& area, const std::vector<Passagem>& passagens,
                    int melhorVelocidade);

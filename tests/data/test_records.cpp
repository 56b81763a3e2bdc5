#include "data/records.h"
#include "records_builder.h"

#include <gtest/gtest.h>

namespace {

// A record's bytes made by hand: zeros with the given hex bytes at their offsets.
QByteArray handMade(int size, std::initializer_list<std::pair<int, QByteArray>> parts)
{
    QByteArray bytes(size, '\0');
    for (const auto& [offset, hex] : parts)
        bytes.replace(offset, hex.size() / 2, QByteArray::fromHex(hex));
    return bytes;
}

template <class T>
T fromBytes(const QByteArray& bytes)
{
    T record;
    std::memcpy(static_cast<void*>(&record), bytes.constData(), sizeof(T));
    return record;
}

TEST(RecordLayout, Aula)
{
    const QByteArray fixture = handMade(24, {{0, "07000000"},
                                             {8, "000000000076e640"},  // 46000.0
                                             {16, "2c010000"},         // 300
                                             {20, "0c"}});
    const auto a = fromBytes<tAula>(fixture);
    EXPECT_EQ(a.CodAluno, 7);
    EXPECT_EQ(a.Data, 46000.0);
    EXPECT_EQ(a.Tempo, 300);
    EXPECT_EQ(a.NumExerc, 12);
    EXPECT_EQ(bytesOf(aula(7, 12, 46000, 300)), fixture);
}

TEST(RecordLayout, Aluno)
{
    const QByteArray fixture = handMade(400, {{0, "0a" + QByteArray("a2cde323Db").toHex()},
                                              {12, "feffffff"},  // -2
                                              {16, "03" "414243"},
                                              {72, "00000000b0d5e140"},  // 36525.5
                                              {80, "02" "3d3d"},
                                              {96, "01" "78"},
                                              {394, "01" "32"}});
    const auto a = fromBytes<tAluno>(fixture);
    EXPECT_EQ(a.Chave.bytes(), "a2cde323Db");
    EXPECT_EQ(a.Codigo, -2);
    EXPECT_EQ(a.Nome.bytes(), "ABC");
    EXPECT_EQ(a.DataNasc, 36525.5);
    EXPECT_EQ(a.Senha.bytes(), "==");
    EXPECT_EQ(a.EMail.bytes(), "x");
    EXPECT_EQ(a.Periodo.bytes(), "2");

    tAluno built{};
    built.Chave.set("a2cde323Db");
    built.Codigo = -2;
    built.Nome.set("ABC");
    built.DataNasc = 36525.5;
    built.Senha.set("==");
    built.EMail.set("x");
    built.Periodo.set("2");
    EXPECT_EQ(bytesOf(built).toHex(), fixture.toHex());
}

TEST(RecordLayout, Exercicio)
{
    const QByteArray fixture = handMade(688, {{0, "0a" + QByteArray("a2cde323Db").toHex()},
                                              {11, "2a"},
                                              {12, "01" "31"},
                                              {113, "01" "32"},
                                              {214, "01" "33"},
                                              {315, "01" "34"},
                                              {424, "e8030000"},  // 1000
                                              {432, "02" "6f6b"},
                                              {683, "abcd"},
                                              {685, "05"}});
    const auto e = fromBytes<tExercicio>(fixture);
    EXPECT_EQ(e.Numero, 42);
    EXPECT_EQ(e.Linha1.bytes() + e.Linha2.bytes() + e.Linha3.bytes() + e.Linha4.bytes(), "1234");
    EXPECT_EQ(e.NumToques, 1000);
    EXPECT_EQ(e.Instrucao.bytes(), "ok");
    EXPECT_EQ(e.LinhasExigidas, 5);

    tExercicio built{};
    built.Chave.set("a2cde323Db");
    built.Numero = 42;
    built.Linha1.set("1");
    built.Linha2.set("2");
    built.Linha3.set("3");
    built.Linha4.set("4");
    built.NumToques = 1000;
    built.Instrucao.set("ok");
    built.reservado3[0] = 0xab;
    built.reservado3[1] = 0xcd;
    built.LinhasExigidas = 5;
    EXPECT_EQ(bytesOf(built).toHex(), fixture.toHex());
}

TEST(RecordLayout, ADamagedLengthByteNeverReachesPastTheCapacity)
{
    tAluno a{};
    std::memset(static_cast<void*>(&a), 'x', sizeof a);
    a.Senha.length = 255;
    a.Periodo.length = 200;
    EXPECT_EQ(a.Senha.bytes(), QByteArray(15, 'x'));
    EXPECT_EQ(a.Periodo.bytes(), "xx");
    a.Nome.set(QByteArray(60, 'y'));
    EXPECT_EQ(a.Nome.length, 40);
    EXPECT_EQ(a.reservado2[0], 'x');
}

TEST(Tables, SlotsAreNumberedFromOneAndAnIndexOutsideThrows)
{
    Table<tAula, 3> t{};
    t[1].CodAluno = 1;
    t[3].CodAluno = 3;
    EXPECT_EQ(t.entries[0].CodAluno, 1);
    EXPECT_EQ(t.entries[2].CodAluno, 3);
    EXPECT_THROW(t[0], std::out_of_range);
    EXPECT_THROW(t[4], std::out_of_range);
}

}  // namespace

#include "data/scrambling.h"
#include "data/text.h"
#include "platform/errors.h"
#include "records_builder.h"
#include "support/fixture.h"

#include <array>
#include <map>
#include <random>

namespace {

using Scrambling = InTempDir;

QString conversionErrorOf(const QByteArray& texto, const QByteArray& chave)
{
    try {
        Embaralha(texto, chave);
    } catch (const ConversionError& e) {
        try {
            Desembaralha(texto, chave);
        } catch (const ConversionError& again) {
            return e.message() == again.message() ? e.message() : QStringLiteral("(differ)");
        }
    }
    return QStringLiteral("(no error)");
}

TEST(ScramblingCases, PairsAreSwappedAndShiftedAndTheOddLastCharacterStays)
{
    struct Case {
        QByteArray chave, texto, scrambled;
    };
    const Case cases[] = {
        {kChave, "abc", "`_c"},                         // d = 3 odd: shift -2
        {"1xyz0212Ab", "abcd", "cbed"},                 // d = 2 even, k at position 1: shift +1
        {"x1y4z643Ar", "ab", "fe"},                     // d = 6, p = 4, k = 4: shift +4
        {kChave, QByteArray("\x01\x00", 2), "\xfe\xff"},  // wraps below 0
        {"x1y4z643Ar", "\xfe\xfd", "\x01\x02"},         // wraps above 255
        {kChave, "a", "\x1e_"},                         // one character is padded with a blank
        {kChave, "", kMarcaTextoVazio},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texto.toHex().toStdString());
        EXPECT_EQ(Embaralha(c.texto, c.chave).toHex(), c.scrambled.toHex());
        const QByteArray back = c.texto.size() == 1 ? c.texto + ' ' : c.texto;
        EXPECT_EQ(Desembaralha(c.scrambled, c.chave).toHex(), back.toHex());
    }
}

TEST(ScramblingCases, TheEmptyTextMarkerReadsBackEmptyWhateverTheKey)
{
    EXPECT_EQ(kMarcaTextoVazio.size(), 20);
    EXPECT_EQ(Embaralha({}, "x1y4z643Ar"), kMarcaTextoVazio);
    EXPECT_TRUE(Desembaralha(kMarcaTextoVazio, kChave).isEmpty());
    EXPECT_TRUE(Desembaralha(kMarcaTextoVazio, "x1y4z643Ar").isEmpty());
    // a text whose scrambled form happens to be the marker comes back empty
    const QByteArray unluckyText = [] {
        QByteArray t = kMarcaTextoVazio;
        for (qsizetype i = 0; i + 1 < t.size(); i += 2) {  // undo the pair step with shift -2
            const char a = t[i];
            t[i] = char(t[i + 1] + 2);
            t[i + 1] = char(a + 2);
        }
        return t;
    }();
    EXPECT_EQ(Embaralha(unluckyText, kChave), kMarcaTextoVazio);
    EXPECT_TRUE(Desembaralha(Embaralha(unluckyText, kChave), kChave).isEmpty());
}

TEST(ScramblingCases, StoredTextsTooShortToBeScrambledAreReturnedAsTheyAre)
{
    EXPECT_EQ(Desembaralha({}, kChave), QByteArray());
    EXPECT_EQ(Desembaralha("Q", kChave), QByteArray("Q"));
}

TEST(ScramblingCases, AKeyThatCannotBeReadFailsWithTheConversionError)
{
    struct Case {
        QByteArray chave;
        QString message;
    };
    const Case cases[] = {
        {"a2cdex23Db", "'x' is not a valid integer value"},       // direction not a digit
        {"a2cde3 3Db", "' ' is not a valid integer value"},       // position not a digit
        {"a2cde343Db", "'d' is not a valid integer value"},       // the shift's position holds no digit
        {"a2cd\xe9" "353Db", "'é' is not a valid integer value"},  // shown as the character it is
        {"a2cde303Db", "'' is not a valid integer value"},        // position 0 is outside the key
        {"a2cde32", "'' is not a valid integer value"},           // too short: nothing read past its end
        {"", "'' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chave.toStdString());
        EXPECT_EQ(conversionErrorOf("texto", c.chave), c.message);
        EXPECT_EQ(conversionErrorOf({}, c.chave), c.message);
    }
}

TEST_F(Scrambling, TextsRoundTripUnderGeneratedKeys)
{
    std::mt19937 random(7);
    for (int length : {0, 2, 3, 39, 40, 254, 255}) {
        const QByteArray chave = GeraChave();
        QByteArray texto(length, '\0');
        for (char& c : texto)
            c = char(random());
        SCOPED_TRACE(length);
        const QByteArray scrambled = Embaralha(texto, chave);
        EXPECT_EQ(scrambled.size(), length == 0 ? 20 : length);
        EXPECT_EQ(Desembaralha(scrambled, chave), texto);
    }
}

// Counts of each character of a key position over many keys.
using Histogram = std::map<char, int>;

TEST_F(Scrambling, GeneratedKeysFollowTheDistributionOfEveryPosition)
{
    constexpr int kKeys = 3000;
    std::array<Histogram, 11> at;  // 1-based positions
    Histogram shiftDigit, filler, factor9, factor10;
    for (int n = 0; n < kKeys; ++n) {
        const QByteArray chave = GeraChave();
        ASSERT_EQ(chave.size(), 10);
        for (int i = 1; i <= 10; ++i)
            ++at[i][chave[i - 1]];
        const int p = chave[6] - '0';
        ASSERT_TRUE(p >= 1 && p <= 4) << chave.toStdString();
        ++shiftDigit[chave[p - 1]];
        for (int i = 1; i <= 5; ++i)
            if (i != p)
                ++filler[chave[i - 1]];
        ASSERT_EQ(chave[5], chave[7]);
        const int d = chave[5] - '0';
        if (d != 0) {
            ASSERT_EQ((chave[8] - 'A') % d, 0);
            ASSERT_EQ((chave[9] - 'b') % d, 0);
            ++factor9[char((chave[8] - 'A') / d)];
            ++factor10[char((chave[9] - 'b') / d)];
        } else {
            ASSERT_EQ(chave.right(2), "Ab");
        }
    }
    const auto within = [](const Histogram& h, char c, int low, int high) {
        const int n = h.count(c) ? h.at(c) : 0;
        EXPECT_TRUE(n >= low && n <= high) << "'" << c << "': " << n;
    };
    // position 7: "1" twice as likely as "2", "3" and "4"
    EXPECT_EQ(at[7].size(), 4u);
    within(at[7], '1', 1080, 1320);
    for (char c : {'2', '3', '4'})
        within(at[7], c, 510, 690);
    // the shift: "1", "2" and "4" alike
    EXPECT_EQ(shiftDigit.size(), 3u);
    for (char c : {'1', '2', '4'})
        within(shiftDigit, c, 880, 1120);
    // the direction: "0" to "8" alike
    EXPECT_EQ(at[6].size(), 9u);
    for (char c = '0'; c <= '8'; ++c)
        within(at[6], c, 250, 420);
    // the factors of positions 9 and 10: 0, 1 and 2 alike
    for (const Histogram* h : {&factor9, &factor10}) {
        EXPECT_EQ(h->size(), 3u);
        for (char r = 0; r <= 2; ++r)
            within(*h, r, 750, 1030);
    }
    // the filler: blank to "z", every value alike (about 132 of each)
    EXPECT_EQ(filler.size(), 91u);
    for (char c = ' '; c <= 'z'; ++c)
        within(filler, c, 70, 200);
}

TEST(TextConversion, EveryByteOfTheCodePageRoundTrips)
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
    EXPECT_EQ(fromCp1252("a\xe7\xe3o \x80"), QStringLiteral("ação €"));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(toCp1252(fromCp1252(all.mid(i, 1)).at(0)), std::optional<char>(char(i))) << i;
}

TEST(TextConversion, CharactersOutsideTheCodePageAreNothingOrAQuestionMark)
{
    EXPECT_EQ(toCp1252(QChar(0x4E2D)), std::nullopt);
    EXPECT_EQ(toCp1252(QChar(0x1A)), std::optional<char>('\x1a'));
    EXPECT_EQ(toCp1252(QStringLiteral("a中b😀c")), QByteArray("a?b?c"));
}

}  // namespace

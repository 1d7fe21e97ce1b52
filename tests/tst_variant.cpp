// Arithmetic of the variant values, the single-precision elements and the
// bounded arrays: the kinds that decide how many digits a result shows, and
// the failures that make a guarded statement do nothing.

#include "VariantValues.h"
#include "app/BoundedArray.h"

#include <QtTest>

#include <cfloat>

namespace {

const char *const kindNames[] = {"Empty", "Integer", "Long", "Single", "Double"};

// Operation 'n' is unary minus on the first operand.
Variant apply(char op, const Variant &a, const Variant &b)
{
    return op == '+' ? a + b : op == '-' ? a - b : op == '*' ? a * b : op == 'n' ? -a : a / b;
}

} // namespace

class VariantTest : public QObject
{
    Q_OBJECT

  private slots:
    void arithmetic_data();
    void arithmetic();
    void conversionsToIntegers_data();
    void conversionsToIntegers();
    void singleElementKeepsValueWhenStoreFails();
    void arrayBounds();
};

// Operands, then the kind and text of the result, or "fails".
void VariantTest::arithmetic_data()
{
    QTest::addColumn<Variant>("a");
    QTest::addColumn<char>("operation");
    QTest::addColumn<Variant>("b");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *name, Variant a, char operation, Variant b, const char *kind,
                        const char *expected) {
        QTest::newRow(name) << a << operation << b << kind << expected;
    };
    row("integer sum", I(2), '+', I(3), "Integer", "5");
    row("integer overflow to long", I(32767), '+', I(1), "Long", "32768");
    row("smallest integer negated", I(-32768), 'n', E, "Long", "32768");
    row("long overflow to double", L(2147483647), '+', I(1), "Double", "2147483648");
    row("1/2 is double", I(1), '/', I(2), "Double", "0.5");
    row("1/3 is double", I(1), '/', I(3), "Double", "0.333333333333333");
    row("single times integer", S(0.1), '*', I(3), "Single", "0.3");
    row("single by integer", S(1), '/', I(3), "Single", "0.3333333");
    row("single times double", S(0.1), '*', Variant(3.0), "Double", "0.300000004470348");
    row("long times single", L(100000), '*', S(0.1), "Double", "10000.0001490116");
    row("single beyond single range", S(3e38), '*', I(10), "Double", "3.00000000549776E+39");
    row("empty plus empty", E, '+', E, "Integer", "0");
    row("empty minus integer", E, '-', I(5), "Integer", "-5");
    row("largest double", Variant(DBL_MAX), '-', E, "Double", "1.79769313486232E+308");
    row("integer by zero", I(1), '/', I(0), "", "fails");
    row("zero by zero", I(0), '/', I(0), "", "fails");
    row("double by zero", Variant(1.0), '/', Variant(0.0), "", "fails");
    row("single by empty", S(1), '/', E, "", "fails");
    row("sum beyond range", Variant(DBL_MAX), '+', Variant(DBL_MAX), "", "fails");
    row("single product beyond range", S(3e38), '*', Variant(1e300), "", "fails");
}

void VariantTest::arithmetic()
{
    QFETCH(Variant, a);
    QFETCH(char, operation);
    QFETCH(Variant, b);
    QFETCH(QString, kind);
    QFETCH(QString, expected);

    if (expected == QLatin1String("fails")) {
        QVERIFY_THROWS_EXCEPTION(StatementFailed, apply(operation, a, b));
        // A failed statement leaves its target as it was.
        Variant target(2.5);
        guarded([&] { target = apply(operation, a, b); });
        QCOMPARE(cellText(target), QStringLiteral("2.5"));
        return;
    }
    const Variant result = apply(operation, a, b);
    QCOMPARE(QLatin1String(kindNames[int(result.kind())]), kind);
    QCOMPARE(cellText(result), expected);
}

// Integers and array positions round half to even; the expected text, or
// "fails".
void VariantTest::conversionsToIntegers_data()
{
    QTest::addColumn<bool>("asIndex");
    QTest::addColumn<double>("a");
    QTest::addColumn<QString>("expected");

    QTest::newRow("2.5 to 2") << false << 2.5 << "2";
    QTest::newRow("3.5 to 4") << false << 3.5 << "4";
    QTest::newRow("-2.5 to -2") << false << -2.5 << "-2";
    QTest::newRow("smallest integer by tie") << false << -32768.5 << "-32768";
    QTest::newRow("32767.5 fails") << false << 32767.5 << "fails";
    QTest::newRow("index 2.5 to 2") << true << 2.5 << "20";
    QTest::newRow("index 1.5 to 2") << true << 1.5 << "20";
}

void VariantTest::conversionsToIntegers()
{
    QFETCH(bool, asIndex);
    QFETCH(double, a);
    QFETCH(QString, expected);

    BoundedArray1<Variant> values;
    values.create(0, 3);
    for (int i = 0; i <= 3; ++i)
        values(i) = Variant(10 * i);
    const auto convert = [&] {
        return asIndex ? cellText(values(Variant(a))) : QString::number(toInteger(Variant(a)));
    };
    if (expected == QLatin1String("fails"))
        QVERIFY_THROWS_EXCEPTION(StatementFailed, convert());
    else
        QCOMPARE(convert(), expected);
}

void VariantTest::singleElementKeepsValueWhenStoreFails()
{
    BoundedArray1<Single> costs;
    costs.create(0, 2);
    costs(1) = Variant(1.0) / Variant(3.0);
    QCOMPARE(QLatin1String(kindNames[int(Variant(costs(1)).kind())]), QStringLiteral("Single"));
    QCOMPARE(cellText(Variant(costs(1))), QStringLiteral("0.3333333"));
    costs(1) = Variant(1.5);
    guarded([&] { costs(1) = Variant(1e39); });
    QCOMPARE(cellText(Variant(costs(1))), QStringLiteral("1.5"));
}

// Outside its bounds, or before it is created, an array access fails; a
// failed store changes nothing, and create discards the old contents.
void VariantTest::arrayBounds()
{
    BoundedArray1<Variant> values;
    QVERIFY_THROWS_EXCEPTION(StatementFailed, values(0));
    values.create(0, 2);
    values(2) = Variant(7);
    QVERIFY_THROWS_EXCEPTION(StatementFailed, values(-1));
    guarded([&] { values(3) = Variant(9); });
    QCOMPARE(cellText(values(2)), QStringLiteral("7"));
    values.create(0, 3);
    QCOMPARE(cellText(values(2)), QString());

    BoundedArray2<Variant> matrix;
    matrix.create(1, 2, 0, 3);
    matrix(2, 3) = Variant(5.5);
    QCOMPARE(cellText(matrix(2, 3)), QStringLiteral("5.5"));
    // Rows and columns are separate: (1, 4) does not wrap to (2, 0).
    QVERIFY_THROWS_EXCEPTION(StatementFailed, matrix(1, 4));
    QVERIFY_THROWS_EXCEPTION(StatementFailed, matrix(3, 0));
    QVERIFY_THROWS_EXCEPTION(StatementFailed, matrix(0, 0));
    matrix.create(0, 4, 0, 4);
    QVERIFY(matrix(2, 3).isEmpty());

    BoundedArray1<Single> costs;
    costs.create(0, 3);
    costs(1) = Variant(1.0);
    costs.create(0, 5);
    QCOMPARE(cellText(Variant(costs(1))), QStringLiteral("0"));
}

QTEST_APPLESS_MAIN(VariantTest)

#include "tst_variant.moc"

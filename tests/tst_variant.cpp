// Arithmetic of the variant values, the single-precision elements and the
// bounded arrays: the kinds that decide how many digits a result shows, and
// the failures that make a guarded statement do nothing.

#include "app/BoundedArray.h"
#include "app/Conversions.h"
#include "app/Single.h"

#include <QtTest>

#include <cfloat>

namespace {

Variant valueOfKind(const QString &kind, double number)
{
    if (kind == QLatin1String("Integer"))
        return Variant::integer(static_cast<std::int16_t>(number));
    if (kind == QLatin1String("Long"))
        return Variant::longInteger(static_cast<std::int32_t>(number));
    if (kind == QLatin1String("Single"))
        return Variant(static_cast<float>(number));
    if (kind == QLatin1String("Double"))
        return Variant(number);
    return Variant();
}

QString kindName(Variant::Kind kind)
{
    switch (kind) {
    case Variant::Kind::Empty:
        return QStringLiteral("Empty");
    case Variant::Kind::Integer:
        return QStringLiteral("Integer");
    case Variant::Kind::Long:
        return QStringLiteral("Long");
    case Variant::Kind::Single:
        return QStringLiteral("Single");
    case Variant::Kind::Double:
        return QStringLiteral("Double");
    }
    return QString();
}

Variant apply(char operation, const Variant &a, const Variant &b)
{
    switch (operation) {
    case '+':
        return a + b;
    case '-':
        return a - b;
    case '*':
        return a * b;
    default:
        return a / b;
    }
}

QString text(const Variant &value)
{
    return QString::fromStdString(plainText(value));
}

} // namespace

class VariantTest : public QObject
{
    Q_OBJECT

  private slots:
    void arithmetic_data();
    void arithmetic();
    void arithmeticFails_data();
    void arithmeticFails();
    void failedStatementKeepsTarget();
    void negation_data();
    void negation();
    void comparisons();
    void conversionsToIntegers_data();
    void conversionsToIntegers();
    void conversionsFail_data();
    void conversionsFail();
    void singleElementStore();
    void singleElementKeepsValueWhenStoreFails();
    void boundedArray1Bounds();
    void boundedArray2Bounds();
    void createDiscardsContents();
    void variantIndexRoundsHalfToEven_data();
    void variantIndexRoundsHalfToEven();
};

void VariantTest::arithmetic_data()
{
    QTest::addColumn<QString>("kindA");
    QTest::addColumn<double>("a");
    QTest::addColumn<char>("operation");
    QTest::addColumn<QString>("kindB");
    QTest::addColumn<double>("b");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");

    QTest::newRow("integer sum") << "Integer" << 2.0 << '+' << "Integer" << 3.0 << "Integer"
                                 << "5";
    QTest::newRow("integer overflow to long")
        << "Integer" << 32767.0 << '+' << "Integer" << 1.0 << "Long"
        << "32768";
    QTest::newRow("integer underflow to long")
        << "Integer" << -32768.0 << '-' << "Integer" << 1.0 << "Long"
        << "-32769";
    QTest::newRow("integer product to long")
        << "Integer" << 200.0 << '*' << "Integer" << 200.0 << "Long"
        << "40000";
    QTest::newRow("long with integer stays long")
        << "Long" << 40000.0 << '-' << "Integer" << 30000.0 << "Long"
        << "10000";
    QTest::newRow("long overflow to double")
        << "Long" << 2147483647.0 << '+' << "Integer" << 1.0 << "Double"
        << "2147483648";
    QTest::newRow("long product to double")
        << "Long" << 100000.0 << '*' << "Long" << 100000.0 << "Double"
        << "10000000000";
    QTest::newRow("integer halves are double")
        << "Integer" << 1.0 << '/' << "Integer" << 2.0 << "Double"
        << "0.5";
    QTest::newRow("integer thirds are double")
        << "Integer" << 1.0 << '/' << "Integer" << 3.0 << "Double"
        << "0.333333333333333";
    QTest::newRow("whole integer quotient is double")
        << "Integer" << 6.0 << '/' << "Integer" << 3.0 << "Double"
        << "2";
    QTest::newRow("single times integer is single")
        << "Single" << 0.1 << '*' << "Integer" << 3.0 << "Single"
        << "0.3";
    QTest::newRow("single plus single is single")
        << "Single" << 0.1 << '+' << "Single" << 0.2 << "Single"
        << "0.3";
    QTest::newRow("single divided by integer is single")
        << "Single" << 1.0 << '/' << "Integer" << 3.0 << "Single"
        << "0.3333333";
    QTest::newRow("single times double is double")
        << "Single" << 0.1 << '*' << "Double" << 3.0 << "Double"
        << "0.300000004470348";
    QTest::newRow("single with long is double")
        << "Long" << 100000.0 << '*' << "Single" << 0.1 << "Double"
        << "10000.0001490116";
    QTest::newRow("single divided by long is double")
        << "Single" << 1.0 << '/' << "Long" << 100000.0 << "Double"
        << "1E-05";
    QTest::newRow("single beyond single range is double")
        << "Single" << 3e38 << '*' << "Integer" << 10.0 << "Double"
        << "3.00000000549776E+39";
    QTest::newRow("double with integer") << "Double" << 0.5 << '+' << "Integer" << 1.0 << "Double"
                                         << "1.5";
    QTest::newRow("double sum") << "Double" << 0.1 << '+' << "Double" << 0.2 << "Double"
                                << "0.3";
    QTest::newRow("empty plus empty") << "Empty" << 0.0 << '+' << "Empty" << 0.0 << "Integer"
                                      << "0";
    QTest::newRow("empty minus integer") << "Empty" << 0.0 << '-' << "Integer" << 5.0 << "Integer"
                                         << "-5";
    QTest::newRow("empty plus double") << "Empty" << 0.0 << '+' << "Double" << 2.5 << "Double"
                                       << "2.5";
    QTest::newRow("empty times single") << "Empty" << 0.0 << '*' << "Single" << 2.5 << "Single"
                                        << "0";
    QTest::newRow("empty plus long") << "Empty" << 0.0 << '+' << "Long" << 70000.0 << "Long"
                                     << "70000";
    QTest::newRow("empty divided") << "Empty" << 0.0 << '/' << "Integer" << 2.0 << "Double"
                                   << "0";
    QTest::newRow("largest double survives")
        << "Double" << DBL_MAX << '-' << "Double" << 0.0 << "Double"
        << "1.79769313486232E+308";
}

void VariantTest::arithmetic()
{
    QFETCH(QString, kindA);
    QFETCH(double, a);
    QFETCH(char, operation);
    QFETCH(QString, kindB);
    QFETCH(double, b);
    QFETCH(QString, kind);
    QFETCH(QString, expected);

    const Variant result = apply(operation, valueOfKind(kindA, a), valueOfKind(kindB, b));
    QCOMPARE(kindName(result.kind()), kind);
    QCOMPARE(text(result), expected);
}

void VariantTest::arithmeticFails_data()
{
    QTest::addColumn<QString>("kindA");
    QTest::addColumn<double>("a");
    QTest::addColumn<char>("operation");
    QTest::addColumn<QString>("kindB");
    QTest::addColumn<double>("b");

    QTest::newRow("integer by zero") << "Integer" << 1.0 << '/' << "Integer" << 0.0;
    QTest::newRow("zero by zero") << "Integer" << 0.0 << '/' << "Integer" << 0.0;
    QTest::newRow("double by zero") << "Double" << 1.0 << '/' << "Double" << 0.0;
    QTest::newRow("double zero by zero") << "Double" << 0.0 << '/' << "Double" << 0.0;
    QTest::newRow("double by empty") << "Double" << 1.0 << '/' << "Empty" << 0.0;
    QTest::newRow("empty by empty") << "Empty" << 0.0 << '/' << "Empty" << 0.0;
    QTest::newRow("single by empty") << "Single" << 1.0 << '/' << "Empty" << 0.0;
    QTest::newRow("double sum beyond range") << "Double" << DBL_MAX << '+' << "Double" << DBL_MAX;
    QTest::newRow("double product beyond range") << "Double" << 1e308 << '*' << "Integer" << 10.0;
    QTest::newRow("double quotient beyond range") << "Double" << 1e308 << '/' << "Double" << 0.1;
    QTest::newRow("double difference beyond range")
        << "Double" << -DBL_MAX << '-' << "Double" << DBL_MAX;
    QTest::newRow("single product beyond double range")
        << "Single" << 3e38 << '*' << "Double" << 1e300;
}

void VariantTest::arithmeticFails()
{
    QFETCH(QString, kindA);
    QFETCH(double, a);
    QFETCH(char, operation);
    QFETCH(QString, kindB);
    QFETCH(double, b);
    const Variant x = valueOfKind(kindA, a);
    const Variant y = valueOfKind(kindB, b);
    QVERIFY_THROWS_EXCEPTION(StatementFailed, apply(operation, x, y));
}

void VariantTest::failedStatementKeepsTarget()
{
    Variant target(2.5);
    const Variant zero(0.0);
    guarded([&] { target = Variant(1.0) / zero; });
    QCOMPARE(text(target), QStringLiteral("2.5"));
    guarded([&] { target = Variant(4.0) / Variant(8.0); });
    QCOMPARE(text(target), QStringLiteral("0.5"));
}

void VariantTest::negation_data()
{
    QTest::addColumn<QString>("kindA");
    QTest::addColumn<double>("a");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");

    QTest::newRow("integer") << "Integer" << 5.0 << "Integer"
                             << "-5";
    QTest::newRow("smallest integer widens") << "Integer" << -32768.0 << "Long"
                                             << "32768";
    QTest::newRow("single stays single") << "Single" << 0.1 << "Single"
                                         << "-0.1";
    QTest::newRow("double") << "Double" << 1.0 / 3.0 << "Double"
                            << "-0.333333333333333";
    QTest::newRow("double zero") << "Double" << 0.0 << "Double"
                                 << "0";
    QTest::newRow("empty") << "Empty" << 0.0 << "Integer"
                           << "0";
}

void VariantTest::negation()
{
    QFETCH(QString, kindA);
    QFETCH(double, a);
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    const Variant result = -valueOfKind(kindA, a);
    QCOMPARE(kindName(result.kind()), kind);
    QCOMPARE(text(result), expected);
}

void VariantTest::comparisons()
{
    const Variant empty;
    QVERIFY(empty == Variant(0));
    QVERIFY(empty == Variant(0.0));
    QVERIFY(empty < Variant(0.5));
    QVERIFY(empty > Variant(-0.5));
    QVERIFY(Variant(2) == Variant(2.0));
    QVERIFY(Variant(3) > Variant(2.5f));
    // Numeric whatever the precision: the single 0.1 is not the double 0.1.
    QVERIFY(Variant(0.1f) != Variant(0.1));
    QVERIFY(Variant(0.1f) > Variant(0.1));
    QVERIFY(Variant(0.5f) == Variant(0.5));
}

void VariantTest::conversionsToIntegers_data()
{
    QTest::addColumn<QString>("kindA");
    QTest::addColumn<double>("a");
    QTest::addColumn<int>("integer");
    QTest::addColumn<qint64>("longInteger");

    QTest::newRow("2.5 to even") << "Double" << 2.5 << 2 << qint64(2);
    QTest::newRow("3.5 to even") << "Double" << 3.5 << 4 << qint64(4);
    QTest::newRow("-2.5 to even") << "Double" << -2.5 << -2 << qint64(-2);
    QTest::newRow("2.4 down") << "Double" << 2.4 << 2 << qint64(2);
    QTest::newRow("2.6 up") << "Double" << 2.6 << 3 << qint64(3);
    QTest::newRow("single 1.5") << "Single" << 1.5 << 2 << qint64(2);
    QTest::newRow("largest integer") << "Double" << 32767.4 << 32767 << qint64(32767);
    QTest::newRow("smallest integer by tie") << "Double" << -32768.5 << -32768 << qint64(-32768);
    QTest::newRow("empty") << "Empty" << 0.0 << 0 << qint64(0);
    QTest::newRow("integer") << "Integer" << -7.0 << -7 << qint64(-7);
}

void VariantTest::conversionsToIntegers()
{
    QFETCH(QString, kindA);
    QFETCH(double, a);
    QFETCH(int, integer);
    QFETCH(qint64, longInteger);
    const Variant value = valueOfKind(kindA, a);
    QCOMPARE(int(toInteger(value)), integer);
    QCOMPARE(qint64(toLong(value)), longInteger);
}

void VariantTest::conversionsFail_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("kindA");
    QTest::addColumn<double>("a");

    QTest::newRow("integer 32767.5") << "Integer"
                                     << "Double" << 32767.5;
    QTest::newRow("integer -32769") << "Integer"
                                    << "Double" << -32769.0;
    QTest::newRow("integer from long") << "Integer"
                                       << "Long" << 40000.0;
    QTest::newRow("long 2147483647.5") << "Long"
                                       << "Double" << 2147483647.5;
    QTest::newRow("long -2147483649") << "Long"
                                      << "Double" << -2147483649.0;
    QTest::newRow("long 1E300") << "Long"
                                << "Double" << 1e300;
    QTest::newRow("single 1E39") << "Single"
                                 << "Double" << 1e39;
    QTest::newRow("single -1E39") << "Single"
                                  << "Double" << -1e39;
    QTest::newRow("single largest double") << "Single"
                                           << "Double" << DBL_MAX;
}

void VariantTest::conversionsFail()
{
    QFETCH(QString, target);
    QFETCH(QString, kindA);
    QFETCH(double, a);
    const Variant value = valueOfKind(kindA, a);
    if (target == QLatin1String("Integer"))
        QVERIFY_THROWS_EXCEPTION(StatementFailed, toInteger(value));
    else if (target == QLatin1String("Long"))
        QVERIFY_THROWS_EXCEPTION(StatementFailed, toLong(value));
    else
        QVERIFY_THROWS_EXCEPTION(StatementFailed, toSingle(value));
}

void VariantTest::singleElementStore()
{
    Single element;
    QCOMPARE(text(Variant(element)), QStringLiteral("0"));
    element = Variant(1.0) / Variant(3.0);
    const Variant read(element);
    QCOMPARE(kindName(read.kind()), QStringLiteral("Single"));
    QCOMPARE(text(read), QStringLiteral("0.3333333"));
    element = Variant(1e38);
    QCOMPARE(text(Variant(element)), QStringLiteral("1E+38"));
}

void VariantTest::singleElementKeepsValueWhenStoreFails()
{
    BoundedArray1<Single> costs;
    costs.create(0, 2);
    costs(1) = Variant(1.5);
    guarded([&] { costs(1) = Variant(1e39); });
    QCOMPARE(text(Variant(costs(1))), QStringLiteral("1.5"));
    guarded([&] { costs(1) = Variant(1.0) / Variant(0.0); });
    QCOMPARE(text(Variant(costs(1))), QStringLiteral("1.5"));
    guarded([&] { costs(1) = Variant(-2.25); });
    QCOMPARE(text(Variant(costs(1))), QStringLiteral("-2.25"));
}

void VariantTest::boundedArray1Bounds()
{
    BoundedArray1<Variant> values;
    QVERIFY_THROWS_EXCEPTION(StatementFailed, values(0));

    values.create(0, 2);
    values(2) = Variant(7);
    QCOMPARE(text(values(2)), QStringLiteral("7"));
    QVERIFY_THROWS_EXCEPTION(StatementFailed, values(3));
    QVERIFY_THROWS_EXCEPTION(StatementFailed, values(-1));
    QVERIFY_THROWS_EXCEPTION(StatementFailed, values(Variant(2.6)));
    QVERIFY_THROWS_EXCEPTION(StatementFailed, values(Variant(1e20)));

    // A failed store leaves the array as it was.
    guarded([&] { values(3) = Variant(9); });
    QCOMPARE(text(values(2)), QStringLiteral("7"));
}

void VariantTest::boundedArray2Bounds()
{
    BoundedArray2<Variant> matrix;
    QVERIFY_THROWS_EXCEPTION(StatementFailed, matrix(0, 0));

    matrix.create(0, 2, 0, 3);
    matrix(2, 3) = Variant(5.5);
    matrix(0, 0) = Variant(1);
    QCOMPARE(text(matrix(2, 3)), QStringLiteral("5.5"));
    QCOMPARE(text(matrix(0, 0)), QStringLiteral("1"));
    // Rows and columns are separate: (1, 4) does not wrap to (2, 0).
    QVERIFY_THROWS_EXCEPTION(StatementFailed, matrix(1, 4));
    QVERIFY_THROWS_EXCEPTION(StatementFailed, matrix(3, 0));
    QVERIFY_THROWS_EXCEPTION(StatementFailed, matrix(-1, 0));
    QVERIFY_THROWS_EXCEPTION(StatementFailed, matrix(0, -1));
    QVERIFY(matrix(2, 0).isEmpty());

    matrix.create(1, 2, 1, 2);
    QVERIFY_THROWS_EXCEPTION(StatementFailed, matrix(0, 1));
    QVERIFY_THROWS_EXCEPTION(StatementFailed, matrix(1, 0));
    matrix(1, 1) = Variant(3);
    QCOMPARE(text(matrix(1, 1)), QStringLiteral("3"));
}

void VariantTest::createDiscardsContents()
{
    BoundedArray2<Variant> matrix;
    matrix.create(0, 2, 0, 3);
    matrix(1, 1) = Variant(4.25);
    matrix.create(0, 4, 0, 4);
    QVERIFY(matrix(1, 1).isEmpty());
    QCOMPARE(text(matrix(4, 4)), QString());

    BoundedArray1<Single> costs;
    costs.create(0, 3);
    costs(1) = Variant(1.0);
    costs.create(0, 5);
    QCOMPARE(text(Variant(costs(1))), QStringLiteral("0"));
    QCOMPARE(text(Variant(costs(5))), QStringLiteral("0"));
}

void VariantTest::variantIndexRoundsHalfToEven_data()
{
    QTest::addColumn<double>("index");
    QTest::addColumn<int>("element");

    QTest::newRow("0.5 to 0") << 0.5 << 0;
    QTest::newRow("1.5 to 2") << 1.5 << 2;
    QTest::newRow("2.5 to 2") << 2.5 << 2;
    QTest::newRow("1.4 to 1") << 1.4 << 1;
    QTest::newRow("-0.5 to 0") << -0.5 << 0;
}

void VariantTest::variantIndexRoundsHalfToEven()
{
    QFETCH(double, index);
    QFETCH(int, element);
    BoundedArray1<Variant> values;
    values.create(0, 3);
    for (int i = 0; i <= 3; ++i)
        values(i) = Variant(10 * i);
    QCOMPARE(text(values(Variant(index))), QString::number(10 * element));
}

QTEST_APPLESS_MAIN(VariantTest)

#include "tst_variant.moc"

// Whatever is typed into a cell reads as a finite number or fails as a
// statement; a clean number reads as the C library reads it. The texts come
// from a fixed seed, so a failure repeats.

#include "app/Conversions.h"

#include <QtTest>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>

class NumberFuzzTest : public QObject
{
    Q_OBJECT

  private slots:
    void cleanAndMutatedNumbers()
    {
        QVERIFY(std::setlocale(LC_ALL, "C") != nullptr); // the oracle's locale
        const auto read = [](const std::string &text) {
            std::optional<double> value;
            attempt([&] { value = numberFromText(text); });
            return value;
        };
        std::mt19937 random(20261206);
        const auto below = [&](unsigned n) { return unsigned(random() % n); };
        const auto digits = [&](unsigned count) {
            std::string run;
            while (run.size() < count)
                run += char('0' + below(10));
            return run;
        };
        for (int i = 0; i < 200000; ++i) {
            // Now and then a digit run long enough to leave the double range.
            std::string oracle = (below(3) ? "" : "-") + digits(1 + below(below(200) ? 20 : 2000));
            oracle += below(2) ? '.' + digits(below(20)) : "";
            oracle += below(2) ? (below(2) ? "e-" : "e+") + std::to_string(below(700)) : "";
            std::string text = oracle;
            std::replace(text.begin(), text.end(), 'e', "eEdD"[below(4)]);
            text.insert(below(text.size() + 1), 1, " \t\n"[below(3)]);
            const double library = std::strtod(oracle.c_str(), nullptr);
            QVERIFY2(read(text) == (std::isinf(library) ? std::nullopt : std::optional(library)),
                     text.c_str());

            // Bytes inserted anywhere, weighted toward those a number is made of.
            for (unsigned edits = 1 + below(4); edits > 0; --edits)
                text.insert(below(text.size() + 1), 1,
                            below(3) ? "0123456789+-.eEdDhHoO& \t\r,"[below(27)]
                                     : char(below(256)));
            QVERIFY2(std::isfinite(read(text).value_or(0)), text.c_str());
        }
    }
};

QTEST_APPLESS_MAIN(NumberFuzzTest)

#include "tst_numberfuzz.moc"

// SPDX-License-Identifier: MIT
// Exact comparison of doubles for Qt Test, whose QCOMPARE on doubles is fuzzy (1e-12 relative,
// and against 0 anything under 1e-12 passes): here the bits must match, so 1 differs from the
// next double, 0 from -0, and 0 from the smallest subnormal.
#pragma once

#include "runtime/number_text.h"

#include <QByteArray>
#include <QTest>

#include <bit>
#include <cstdint>

namespace bits {

inline bool same(double x, double y) {
    return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
}

// "0.10000000000000001 (0x3fb999999999999a)"
inline QByteArray textAndBits(double x) {
    return QByteArray::fromStdString(runtime::roundTripText(x)) + " (0x" +
           QByteArray::number(static_cast<qulonglong>(std::bit_cast<std::uint64_t>(x)), 16) + ")";
}

} // namespace bits

// Fails the test, printing both values, unless actual and expected are the same double.
#define COMPARE_BITS(actual, expected)                                                             \
    do {                                                                                           \
        const double actualValue = (actual);                                                       \
        const double expectedValue = (expected);                                                   \
        QVERIFY2(bits::same(actualValue, expectedValue),                                           \
                 ("actual " + bits::textAndBits(actualValue) + ", expected " +                     \
                  bits::textAndBits(expectedValue))                                                \
                     .constData());                                                                \
    } while (false)

// SPDX-License-Identifier: MIT
#include "form_reader.h"

#include "mp_handles.h"

#include "runtime/number_text.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace formreader {
namespace {

using Number = mp::Float;

// re + im i.
struct Complex {
    explicit Complex(mpfr_prec_t bits) : re(bits), im(bits) {
        mpfr_set_zero(re, 1);
        mpfr_set_zero(im, 1);
    }
    Number re, im;
};

struct Unreadable : std::runtime_error {
    using std::runtime_error::runtime_error;
};

constexpr std::string_view kRoot = "\xE2\x88\x9A"; // √
constexpr std::string_view kDot = "\xC2\xB7";      // · (a product)
constexpr std::string_view kSquared = "\xC2\xB2";  // ²

// A recursive descent over the form: sums of products of signed primaries, where a primary is a
// number, √ of a number or of a bracketed sum, a bracketed sum or i, maybe squared; two
// primaries side by side or with · between them multiply.
class Parser {
public:
    Parser(std::string text, mpfr_prec_t bits) : m_text(std::move(text)), m_bits(bits) {}

    Complex parse() {
        Complex value = sum();
        skipBlanks();
        if (m_at != m_text.size())
            throw Unreadable("trailing text");
        // A sum whose terms cancel exactly, 0,36 − 0,36 or b² − 4ac of a double root, leaves
        // only the terms' rounding in binary, thousands of bits below them; a sum that does not
        // cancel keeps far more, as its numbers have at most a few hundred digits. So a part
        // two thirds of the precision below the largest term is 0.
        for (mpfr_ptr part : {static_cast<mpfr_ptr>(value.re), static_cast<mpfr_ptr>(value.im)})
            if (!mpfr_zero_p(part) && mpfr_get_exp(part) < m_largest - 2 * m_bits / 3)
                mpfr_set_zero(part, 1);
        return value;
    }

private:
    void skipBlanks() {
        while (m_at < m_text.size() && m_text[m_at] == ' ')
            ++m_at;
    }
    bool take(std::string_view token) {
        skipBlanks();
        if (std::string_view(m_text).substr(m_at).starts_with(token)) {
            m_at += token.size();
            return true;
        }
        return false;
    }
    bool startsPrimary() {
        skipBlanks();
        if (m_at >= m_text.size())
            return false;
        const char c = m_text[m_at];
        return (c >= '0' && c <= '9') || c == '(' || c == 'i' ||
               std::string_view(m_text).substr(m_at).starts_with(kRoot);
    }

    void noteTerm(const Complex& term) {
        for (mpfr_srcptr part :
             {static_cast<mpfr_srcptr>(term.re), static_cast<mpfr_srcptr>(term.im)})
            if (!mpfr_zero_p(part))
                m_largest = std::max(m_largest, mpfr_get_exp(part));
    }

    Complex sum() {
        Complex value = product();
        noteTerm(value);
        for (;;) {
            const bool plus = take("+");
            if (!plus && !take("-"))
                return value;
            Complex term = product();
            noteTerm(term);
            mpfr_rnd_t mode = MPFR_RNDN;
            (plus ? mpfr_add : mpfr_sub)(value.re, value.re, term.re, mode);
            (plus ? mpfr_add : mpfr_sub)(value.im, value.im, term.im, mode);
        }
    }

    Complex product() {
        Complex value = unary();
        for (;;) {
            if (take("/")) {
                Complex divisor = unary();
                if (!mpfr_zero_p(divisor.im))
                    throw Unreadable("division by a complex number");
                mpfr_div(value.re, value.re, divisor.re, MPFR_RNDN);
                mpfr_div(value.im, value.im, divisor.re, MPFR_RNDN);
            } else if (take(kDot) || startsPrimary()) {
                const Complex factor = unary();
                multiply(value, factor);
            } else {
                return value;
            }
        }
    }

    void multiply(Complex& value, const Complex& factor) const {
        Number re(m_bits), im(m_bits), cross(m_bits);
        mpfr_mul(re, value.re, factor.re, MPFR_RNDN);
        mpfr_mul(cross, value.im, factor.im, MPFR_RNDN);
        mpfr_sub(re, re, cross, MPFR_RNDN);
        mpfr_mul(im, value.re, factor.im, MPFR_RNDN);
        mpfr_mul(cross, value.im, factor.re, MPFR_RNDN);
        mpfr_add(im, im, cross, MPFR_RNDN);
        value.re = re;
        value.im = im;
    }

    Complex unary() {
        if (take("-")) {
            Complex value = unary();
            mpfr_neg(value.re, value.re, MPFR_RNDN);
            mpfr_neg(value.im, value.im, MPFR_RNDN);
            return value;
        }
        return primary();
    }

    Complex primary() {
        Complex value = bare();
        if (take(kSquared)) {
            const Complex same = value;
            multiply(value, same);
        }
        return value;
    }

    Complex bracketed() {
        Complex value = sum();
        if (!take(")"))
            throw Unreadable("unclosed bracket");
        return value;
    }

    Complex bare() {
        Complex value(m_bits);
        if (take("(")) {
            value = bracketed();
        } else if (take("i")) {
            mpfr_set_ui(value.im, 1, MPFR_RNDN);
        } else if (take(kRoot)) {
            // √ of a number, or of a bracketed real sum: √(−16) is 4 i.
            Complex radicand(m_bits);
            if (take("(")) {
                radicand = bracketed();
            } else {
                const Number read = number(); // first: the MPFR macros name their arguments twice
                mpfr_set(radicand.re, read, MPFR_RNDN);
            }
            if (!mpfr_zero_p(radicand.im))
                throw Unreadable("the root of a complex number");
            const bool negative = mpfr_sgn(static_cast<mpfr_srcptr>(radicand.re)) < 0;
            mpfr_abs(radicand.re, radicand.re, MPFR_RNDN);
            mpfr_sqrt(negative ? value.im : value.re, radicand.re, MPFR_RNDN);
        } else {
            const Number read = number();
            mpfr_set(value.re, read, MPFR_RNDN);
        }
        return value;
    }

    // Digits with an optional point or comma and exponent: "12", "0.04", "0,36", "1E-15",
    // "1.5e3" (as the boxes write numbers, or as a person types them).
    Number number() {
        skipBlanks();
        const std::size_t start = m_at;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at];
            const bool exponent = c == 'E' || c == 'e';
            const bool exponentSign = (c == '-' || c == '+') && m_at > start &&
                                      (m_text[m_at - 1] == 'E' || m_text[m_at - 1] == 'e');
            if (!((c >= '0' && c <= '9') || c == '.' || c == ',' || exponent || exponentSign))
                break;
            ++m_at;
        }
        if (m_at == start)
            throw Unreadable("a number expected");
        Number value(m_bits);
        std::string digits = m_text.substr(start, m_at - start);
        std::replace(digits.begin(), digits.end(), ',', '.');
        if (mpfr_set_str(value, digits.c_str(), 10, MPFR_RNDN) != 0)
            throw Unreadable("not a number: " + digits);
        return value;
    }

    std::string m_text;
    mpfr_prec_t m_bits;
    std::size_t m_at = 0;
    mpfr_exp_t m_largest = std::numeric_limits<mpfr_exp_t>::min(); // the largest term's exponent
};

// The form with every minus sign, typographic or not, as "-".
std::string plainMinus(const std::string& form) {
    std::string text;
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form.compare(i, 3, "\xE2\x88\x92") == 0) {
            text += '-';
            i += 2;
        } else {
            text += form[i];
        }
    }
    return text;
}

// A value whose 16th significant digit onwards reads 5000... or 4999... lies on or next to the
// boundary between two 15-digit roundings (a decimal tie is exactly on it), where a binary
// approximation cannot tell which side it is.
bool nearTie(mpfr_srcptr x) {
    mpfr_exp_t exponent = 0;
    std::unique_ptr<char, decltype(&mpfr_free_str)> text(
        mpfr_get_str(nullptr, &exponent, 10, 40, x, MPFR_RNDN), &mpfr_free_str);
    const std::string_view digits(text.get() + (text.get()[0] == '-'));
    const std::string_view tail = digits.substr(15);
    return tail.find_first_not_of('0', 1) == std::string_view::npos
               ? tail[0] == '5'
               : tail[0] == '4' && tail.find_first_not_of('9', 1) == std::string_view::npos;
}

std::string rounded(mpfr_srcptr x) {
    if (mpfr_zero_p(x))
        return "0";
    mpfr_exp_t exponent = 0;
    std::unique_ptr<char, decltype(&mpfr_free_str)> text(
        mpfr_get_str(nullptr, &exponent, 10, 15, x, MPFR_RNDN), &mpfr_free_str);
    const bool negative = text.get()[0] == '-';
    return runtime::formatDecimal(negative, text.get() + negative, exponent - 1, ".");
}

} // namespace

std::optional<std::vector<Value>> evaluateWorking(const std::string& line) {
    // After "D = " or "x₁ = ", the formula in letters, then the expressions in numbers.
    constexpr std::string_view kEquals = " = ";
    std::size_t at = line.find(kEquals);
    if (at == std::string::npos)
        return std::nullopt;
    std::vector<Value> values;
    while (at != std::string::npos) {
        const std::size_t start = at + kEquals.size();
        at = line.find(kEquals, start);
        const std::string expression =
            line.substr(start, at == std::string::npos ? at : at - start);
        if (expression.find_first_of("abcD") != std::string::npos)
            continue;
        const std::optional<Value> value = evaluate(expression);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
    }
    return values;
}

std::optional<Value> evaluate(const std::string& form) {
    // At two precisions, far beyond what 15 digits need: a value that rounds differently at
    // the two lies on, or too near, a rounding boundary to be read.
    std::optional<Value> previous;
    for (mpfr_prec_t bits : {3000, 6000}) {
        try {
            Complex value = Parser(plainMinus(form), bits).parse();
            for (mpfr_srcptr part :
                 {static_cast<mpfr_srcptr>(value.re), static_cast<mpfr_srcptr>(value.im)})
                if (!mpfr_zero_p(part) && nearTie(part))
                    return std::nullopt;
            Value current{rounded(value.re), rounded(value.im)};
            if (previous && (previous->re != current.re || previous->im != current.im))
                return std::nullopt;
            previous = current;
        } catch (const Unreadable&) {
            return std::nullopt;
        }
    }
    return previous;
}

} // namespace formreader

// SPDX-License-Identifier: MIT
#include "form_reader.h"

#include "mp_handles.h"

#include "runtime/number_text.h"

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

// A recursive descent over the form: sums of products of signed primaries, where a primary is a
// number, √ of a number, a bracketed sum or i, and two primaries side by side multiply.
class Parser {
public:
    Parser(std::string text, mpfr_prec_t bits) : m_text(std::move(text)), m_bits(bits) {}

    Complex parse() {
        Complex value = sum();
        skipBlanks();
        if (m_at != m_text.size())
            throw Unreadable("trailing text");
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
               std::string_view(m_text).substr(m_at).starts_with("\xE2\x88\x9A");
    }

    Complex sum() {
        Complex value = product();
        for (;;) {
            const bool plus = take("+");
            if (!plus && !take("-"))
                return value;
            Complex term = product();
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
            } else if (startsPrimary()) {
                Complex factor = unary();
                Number re(m_bits), im(m_bits), cross(m_bits);
                mpfr_mul(re, value.re, factor.re, MPFR_RNDN);
                mpfr_mul(cross, value.im, factor.im, MPFR_RNDN);
                mpfr_sub(re, re, cross, MPFR_RNDN);
                mpfr_mul(im, value.re, factor.im, MPFR_RNDN);
                mpfr_mul(cross, value.im, factor.re, MPFR_RNDN);
                mpfr_add(im, im, cross, MPFR_RNDN);
                value.re = re;
                value.im = im;
            } else {
                return value;
            }
        }
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
        Complex value(m_bits);
        if (take("(")) {
            value = sum();
            if (!take(")"))
                throw Unreadable("unclosed bracket");
        } else if (take("i")) {
            mpfr_set_ui(value.im, 1, MPFR_RNDN);
        } else {
            // Read first: the MPFR macros may name their arguments twice.
            const bool root = take("\xE2\x88\x9A");
            const Number read = number();
            if (root)
                mpfr_sqrt(value.re, read, MPFR_RNDN);
            else
                mpfr_set(value.re, read, MPFR_RNDN);
        }
        return value;
    }

    // Digits with an optional point and exponent: "12", "0.04", "1E-15".
    Number number() {
        skipBlanks();
        const std::size_t start = m_at;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at];
            const bool exponentSign =
                (c == '-' || c == '+') && m_at > start && m_text[m_at - 1] == 'E';
            if (!((c >= '0' && c <= '9') || c == '.' || c == 'E' || exponentSign))
                break;
            ++m_at;
        }
        if (m_at == start)
            throw Unreadable("a number expected");
        Number value(m_bits);
        const std::string digits = m_text.substr(start, m_at - start);
        if (mpfr_set_str(value, digits.c_str(), 10, MPFR_RNDN) != 0)
            throw Unreadable("not a number: " + digits);
        return value;
    }

    std::string m_text;
    mpfr_prec_t m_bits;
    std::size_t m_at = 0;
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

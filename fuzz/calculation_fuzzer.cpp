// SPDX-License-Identifier: MIT
// The whole "Calcular" command on three arbitrary texts, through the window's own code path.
// Beyond not crashing: every result text reads back as a number, the label agrees with the sign
// of the discriminant, and no text shows "-0", "nan" or "inf".
#include "fuzz_support.h"
#include "runtime/errors.h"
#include "runtime/number_text.h"
#include "solver/calculation.h"
#include "solver/text_boxes.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <string_view>

namespace {

void requireNumber(std::string_view text) {
    fuzz::require(!text.empty() && text != "-0");
    fuzz::require(text.find("nan") == std::string_view::npos &&
                  text.find("inf") == std::string_view::npos);
    try {
        runtime::readNumber(text);
    } catch (const runtime::Error&) {
        // Values below the smallest double are shown as they are ("1E-400"). A box refuses
        // those below 1e-100000, which a discriminant b^2 or a quotient can reach; values beyond
        // the double range never reach a box.
        const std::size_t e = text.find("E-");
        fuzz::require(e != std::string_view::npos &&
                      std::stol(std::string(text.substr(e + 2))) > -runtime::kSmallestExponent);
    }
}

// "re+im i" or "re-im i" (re and im may carry their own signs and exponents).
void requireComplex(const std::string& text) {
    fuzz::require(text.size() > 2 && text.ends_with(" i"));
    const std::string_view body(text.data(), text.size() - 2);
    // The operator between the parts is the last sign not just after an exponent's "E".
    std::size_t split = std::string_view::npos;
    for (std::size_t i = 1; i < body.size(); ++i)
        if ((body[i] == '+' || body[i] == '-') && body[i - 1] != 'E')
            split = i;
    fuzz::require(split != std::string_view::npos);
    requireNumber(body.substr(0, split));
    requireNumber(body.substr(body[split] == '+' ? split + 1 : split));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const bool comma = provider.ConsumeBool();
    std::array<std::string, 3> inputs;
    for (std::string& input : inputs)
        input = provider.ConsumeRandomLengthString(64);
    solver::TextBoxes boxes(inputs, comma ? "," : ".");
    solver::WindowValues values;
    try {
        const auto roots = solver::calculate(boxes, values);
        if (!roots) {
            fuzz::require(boxes.message == solver::kEmptyBoxMessage);
            fuzz::require(inputs[0].empty() || inputs[1].empty() || inputs[2].empty());
            return 0;
        }
    } catch (const runtime::Error& error) {
        fuzz::require(boxes.results[0].empty() && boxes.kind.empty()); // nothing half-written
        fuzz::require(!runtime::describe(error).empty());
        return 0;
    }
    const std::string& discriminant = boxes.results[2];
    requireNumber(discriminant);
    const bool negative = discriminant.front() == '-';
    fuzz::require(boxes.kind == (negative ? solver::kComplexCaption : solver::kRealCaption));
    for (const std::string& root : {boxes.results[0], boxes.results[1]}) {
        if (negative)
            requireComplex(root);
        else
            requireNumber(root);
    }
    return 0;
}

#include "core/photometry/OptionRules.h"

#include "core/common/NumberText.h"
#include "core/common/NumericValue.h"
#include "core/common/Rounding.h"

namespace lumvane {
namespace {

std::optional<TextCorrection> Correction(std::string_view text, std::string replacement, bool beep)
{
    if (text == replacement)
        return std::nullopt;
    return TextCorrection { std::move(replacement), beep };
}

float SingleValue(std::string_view text)
{
    return ToSingle(NumericValue(text));
}

/// The two characters after the sign column of the number's text.
std::string TwoDigits(float value)
{
    return NumberText(value).substr(1, 2);
}

} // namespace

std::optional<TextCorrection> CheckRadiusText(std::string_view text)
{
    const double value = NumericValue(text);
    if (value > kMaxDiaphragmRadius)
        return Correction(text, std::to_string(kMaxDiaphragmRadius), false);
    if (value <= 0.0)
        return Correction(text, "", false);
    return std::nullopt;
}

std::optional<TextCorrection> CheckSearchText(std::string_view text)
{
    const double value = NumericValue(text);
    if (value > 5.0)
        return Correction(text, "5", false);
    if (value < 0.0)
        return Correction(text, "0", false);
    return std::nullopt;
}

std::optional<TextCorrection> CheckInnerFactorText(std::string_view text)
{
    if (NumericValue(text) < 0.1)
        return Correction(text, "1", true);
    return std::nullopt;
}

std::optional<TextCorrection> CheckMedianText(std::string_view text)
{
    const double value = NumericValue(text);
    if (value < 0.0)
        return Correction(text, "0", true);
    if (value > 30.0)
        return Correction(text, "30", true);
    return std::nullopt;
}

bool ApplyOptions(const OptionsTab& tab, OptionsInForce& inForce)
{
    const float inner = SingleValue(tab.inner);
    const float outer = SingleValue(tab.outer);
    if (!(outer > inner))
        return false;
    inForce.options.annulusInner = inner;
    inForce.options.annulusOuter = outer;
    inForce.options.medianPercent = SingleValue(tab.median);
    inForce.record = OptionsRecord(inForce.options, tab.maxMethod, tab.saveRelative);
    inForce.changed = true;
    return true;
}

std::string OptionsRecord(const PhotometryOptions& options, bool maxMethod, bool saveRelative)
{
    return TwoDigits(options.annulusInner * 10.0F + 10.0F) + TwoDigits(options.annulusOuter * 10.0F + 10.0F)
        + TwoDigits(options.medianPercent + 10.0F) + (maxMethod ? "1" : "0") + (saveRelative ? "1" : "0");
}

PhotometryOptions StartUpOptions(const OptionsTab& tab)
{
    PhotometryOptions options;
    options.annulusInner = SingleValue(tab.inner);
    if (static_cast<double>(options.annulusInner) < 0.1)
        options.annulusInner = 1.0F;
    options.annulusOuter = SingleValue(tab.outer);
    if (!(options.annulusOuter > options.annulusInner))
        options.annulusOuter = options.annulusInner + 1.0F;
    options.medianPercent = SingleValue(tab.median);
    if (options.medianPercent < 0.0F || options.medianPercent > 30.0F)
        options.medianPercent = 10.0F;
    return options;
}

} // namespace lumvane

#pragma once

#include "core/photometry/OptionRules.h"

#include <optional>

class QLineEdit;

namespace lumvane {

/// @brief Puts a limit check's correction into its box. Returns whether a
/// beep goes with it (false when the text passed).
///
/// Replacing the text raises the box's change again; the check then passes.
bool CorrectText(QLineEdit& box, const std::optional<TextCorrection>& correction);

} // namespace lumvane

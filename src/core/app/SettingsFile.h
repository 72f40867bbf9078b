#pragma once

#include "core/photometry/OptionRules.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumvane {

/// The settings file's name; it lives in the program's folder.
inline constexpr std::string_view kSettingsFileName = "tr_ini.int";

/// @brief The options line of a new settings file: the design defaults (inner
/// 1.0, outer 2.0, median 10, "Max", relative to St1).
inline constexpr std::string_view kDefaultOptionsLine = "20302011";

/// @brief The settings file's full name in the program's folder.
std::filesystem::path SettingsFilePath(const std::filesystem::path& programFolder);

/// @brief The text of a settings file created at start-up: "Do not delete or
/// change this file!" and the default options line, each ending with CR LF.
std::string NewSettingsText();

/// @brief The text written at shut-down after an Apply: "Do not change this
/// file!" and the options record, each ending with CR LF.
std::string SavedSettingsText(std::string_view optionsRecord);

/// @brief The Options tab a settings file's text gives: its second line (the
/// options line) decoded and range-checked; nothing when that line does not
/// have the form the program writes (six digits, then "0" or "1" twice), so
/// that a damaged file is not half read.
///
/// An inner factor outside 0.1..3 becomes "1.0", an outer one above 4 or below
/// the inner one "2.0", a median percentage outside 0..30 "10". Position 7 "1"
/// selects "Max", "0" "Centroid"; position 8 "1" ticks "Save relatively St1".
/// Lines may end with CR LF, LF or CR.
std::optional<OptionsTab> OptionsOfSettingsText(std::string_view text);

/// What the status bar says once when the settings file was there but not
/// readable.
inline constexpr std::string_view kSettingsUnreadableText = "Settings file not readable: design options in use";

/// What reading the settings file at start-up did.
struct SettingsLoadResult {
    OptionsTab tab; ///< the option controls' new state
    bool created = false; ///< the file was missing and a new one was written
    /// The file was there but could not be read, or its options line was
    /// damaged: the controls keep their design values.
    bool unreadable = false;
    /// The system's reason when a missing file could not be created (the
    /// controls keep their design values).
    std::string reason;
};

/// @brief LoadSettings: reads the settings file, or creates it with the
/// default options line when it does not exist.
SettingsLoadResult LoadSettings(const std::filesystem::path& file);

} // namespace lumvane
